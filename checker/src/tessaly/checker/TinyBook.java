package tessaly.checker;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.util.zip.CRC32;
import java.util.zip.ZipEntry;
import java.util.zip.ZipOutputStream;

/**
 * The small book the host checks to warm itself up: an EPUB 3 book with a
 * style sheet, a navigation document and one chapter that holds one mistake,
 * so that the container, package, content, style and message paths of the
 * checker have all run once before the first real check.
 */
final class TinyBook {
    private TinyBook() {}

    private static final String XML = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    private static final String XHTML = XML + "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"";

    static byte[] bytes() throws IOException {
        ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        try (ZipOutputStream zip = new ZipOutputStream(bytes)) {
            stored(zip, "mimetype", "application/epub+zip");
            deflated(zip, "META-INF/container.xml",
                XML + "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">"
                    + "<rootfiles><rootfile full-path=\"EPUB/package.opf\" "
                    + "media-type=\"application/oebps-package+xml\"/></rootfiles></container>\n");
            deflated(zip, "EPUB/package.opf",
                XML + "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"uid\">"
                    + "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                    + "<dc:identifier id=\"uid\">urn:uuid:6b1f2d0e-3c4a-4e5b-8f7a-1d2c3b4a5e6f</dc:identifier>"
                    + "<dc:title>Warm-up</dc:title><dc:language>en</dc:language>"
                    + "<meta property=\"dcterms:modified\">2026-01-01T00:00:00Z</meta></metadata>"
                    + "<manifest><item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
                    + "properties=\"nav\"/><item id=\"c1\" href=\"c1.xhtml\" media-type=\"application/xhtml+xml\"/>"
                    + "<item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>"
                    + "</manifest><spine><itemref idref=\"c1\"/></spine></package>\n");
            deflated(zip, "EPUB/nav.xhtml",
                XHTML + " xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>Contents</title></head><body>"
                    + "<nav epub:type=\"toc\"><ol><li><a href=\"c1.xhtml\">One</a></li></ol></nav></body></html>\n");
            deflated(zip, "EPUB/style.css", "body { margin: 0 1em; }\np { text-indent: 1.5em; }\n");
            deflated(zip, "EPUB/c1.xhtml",
                XHTML + "><head><title>One</title><link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>"
                    + "</head><body><h1>One</h1><p>Warm.</p><p><warm/></p>"
                    + "<p><a href=\"nav.xhtml\">Contents</a></p></body></html>\n");
        }
        return bytes.toByteArray();
    }

    private static void stored(ZipOutputStream zip, String name, String text) throws IOException {
        byte[] content = text.getBytes(StandardCharsets.UTF_8);
        ZipEntry entry = new ZipEntry(name);
        entry.setMethod(ZipEntry.STORED);
        entry.setSize(content.length);
        entry.setCompressedSize(content.length);
        CRC32 crc = new CRC32();
        crc.update(content);
        entry.setCrc(crc.getValue());
        zip.putNextEntry(entry);
        zip.write(content);
        zip.closeEntry();
    }

    private static void deflated(ZipOutputStream zip, String name, String text) throws IOException {
        zip.putNextEntry(new ZipEntry(name));
        zip.write(text.getBytes(StandardCharsets.UTF_8));
        zip.closeEntry();
    }
}
