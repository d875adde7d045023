#pragma once

namespace tessaly::app {

// The maker's web page, opened by "Visit Our Website" and the About
// window's link. Set at build time (TESSALY_WEBSITE).
inline constexpr const char* websiteAddress = TESSALY_WEBSITE_ADDRESS;

} // namespace tessaly::app
