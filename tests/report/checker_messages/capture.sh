#!/usr/bin/env bash
# Remakes checker_output.txt: builds small faulty books with zip and runs the
# installed checker on them the way the program does (java -jar, standard
# output and error on one pipe), from a scratch folder so that the paths in
# the output are short and relative. Usage: capture.sh [epubcheck.jar]
set -euo pipefail
jar=${1:-/usr/share/java/epubcheck.jar}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# One EPUB 2 book with faults in markup, style sheet, links and file names.
mkdir -p src/META-INF src/OEBPS books made
cd src
printf 'application/epub+zip' > mimetype
cat > META-INF/container.xml <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container"><rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/></rootfiles></container>
EOF
cat > OEBPS/content.opf <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version="2.0" unique-identifier="uid">
<metadata xmlns:dc="http://purl.org/dc/elements/1.1/">
<dc:identifier id="uid">urn:uuid:0f5e1c2a-8d3b-4c6e-9a7f-2b1d4e6f8a90</dc:identifier>
<dc:title>Manual</dc:title><dc:language>en</dc:language>
</metadata>
<manifest>
<item id="ncx" href="toc.ncx" media-type="application/x-dtbncx+xml"/>
<item id="c1" href="c1.xhtml" media-type="application/xhtml+xml"/>
<item id="c2" href="chapter one.xhtml" media-type="application/xhtml+xml"/>
<item id="c3" href="çé ü.xhtml" media-type="application/xhtml+xml"/>
<item id="st" href="style.css" media-type="text/css"/>
<item id="g" href="guide.htm" media-type="application/xhtml+xml"/>
</manifest>
<spine toc="ncx"><itemref idref="c1"/><itemref idref="c2"/><itemref idref="c3"/><itemref idref="g"/></spine>
<guide><reference type="toc" title="Guide" href="guide.htm#o1006"/><reference type="text" title="X" href="other.xhtml#o1006"/></guide>
</package>
EOF
cat > OEBPS/toc.ncx <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<ncx xmlns="http://www.daisy.org/z3986/2005/ncx/" version="2005-1">
<head><meta name="dtb:uid" content="urn:uuid:0f5e1c2a-8d3b-4c6e-9a7f-2b1d4e6f8a90"/></head>
<docTitle><text>Manual</text></docTitle>
<navMap><navPoint id="n1" playOrder="1"><navLabel><text>One</text></navLabel><content src="c1.xhtml#nowhere"/></navPoint></navMap>
</ncx>
EOF
cat > OEBPS/c1.xhtml <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>One</title><link rel="stylesheet" type="text/css" href="style.css"/></head><body><p>Hello <b>bold</p>
<p><a href="missing.xhtml#frag">gone</a></p>
</body></html>
EOF
cat > 'OEBPS/chapter one.xhtml' <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>Two</title></head><body>
<p><unknown/></p>
<p><a href="c1.xhtml#nothere">x</a><img src="pic 1.png"/></p>
</body></html>
EOF
cat > 'OEBPS/çé ü.xhtml' <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>Three</title></head><body>
<p id="a">x</p><p id="a">y</p><blink>z</blink>
</body></html>
EOF
cat > OEBPS/style.css <<'EOF'
p { color: red;
  @font-face { src: url(nofont.ttf) }
  position: fixed;
EOF
cat > OEBPS/guide.htm <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>G</title></head><body><p>g</p></body></html>
EOF
printf 'stray' > 'OEBPS/unlisted "quoted".txt'
zip -X0q ../books/manual.epub mimetype
zip -Xrq ../books/manual.epub META-INF OEBPS
cd ..
cp books/manual.epub "books/my book \"quoted\" ü.epub"

# Books that are not books.
python3 -c "import zipfile; zipfile.ZipFile('made/empty.epub', 'w').close()"
printf 'not a zip' > made/text.epub

check() { java -jar "$jar" "$@" 2>&1 || true; }
{
  check ./books/manual.epub
  check "books/my book \"quoted\" ü.epub"
  # An absolute path comes back relative to the working folder.
  check "$work/books/manual.epub"
  # Usage messages, as the checker gives them when asked.
  check -u made/../books/manual.epub
  check made/empty.epub
  check made/text.epub
  check made/missing.epub
} > "$here/checker_output.txt"
