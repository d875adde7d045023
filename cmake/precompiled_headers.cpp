// The unit that makes a shared precompiled header (see
// PrecompiledHeaders.cmake): the header is all it needs.
