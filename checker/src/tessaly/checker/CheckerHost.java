package tessaly.checker;

import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.FileDescriptor;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.io.PrintStream;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.security.Permission;
import java.util.concurrent.BlockingQueue;
import java.util.concurrent.LinkedBlockingQueue;
import java.util.concurrent.TimeUnit;

/**
 * Keeps the checker loaded and warm in one long-lived Java process.
 *
 * Requests arrive on standard input, one a line (a trailing carriage return
 * is ignored):
 *
 *   check TOKEN PATH   checks the book PATH, whose bytes are written as they
 *                      are except '%', control bytes and DEL, which are
 *                      written as %XX (two hex digits)
 *   ping TOKEN         answers once the host is warm
 *
 * For a check the host writes to standard output exactly the bytes that
 * "java -jar epubcheck.jar PATH" writes to its standard output and error
 * together, then the end record
 *
 *   [LF] RS "tessaly-end" SP TOKEN SP STATUS SP CODE SP ADDED SP REASON SP TOKEN LF
 *
 * RS is the byte 0x1E. ADDED is 1 when the host wrote the leading LF because
 * the report did not end with one, else 0. REASON is "-" unless the check
 * failed. The token closes the record as well, so that a reader who sees
 * the record in parts knows when it has all of it. STATUS "exit" gives the checker's
 * exit code (what the process would have ended with, also when the checker
 * asked to exit); "failed" means the check could not be run to its end here
 * (REASON says why) and should be run in a process of its own. The token is
 * chosen by the caller for each request, so no text of a report can pass
 * for the end of a check.
 *
 * The host gives memory back after two seconds without a request. It ends
 * when its standard input ends, after ten minutes without a request (once
 * it has given memory back), and after running out of memory (once it has reported that check
 * as failed).
 */
public final class CheckerHost {
    /** Seconds without a request after which the host ends (tests shorten it). */
    static final long IDLE_LIMIT_SECONDS = Long.getLong("tessaly.checker.idleSeconds", 600);
    /** Seconds without a request after which the host gives memory back. */
    static final long GIVE_BACK_SECONDS = 2;
    static final byte RECORD_SEPARATOR = 0x1e;

    private final BytesOut sink;
    private final PrintStream out;
    private final PrintStream err;
    private final ExitTrap exitTrap = new ExitTrap();
    private final BlockingQueue<byte[]> requests = new LinkedBlockingQueue<>();

    private CheckerHost(OutputStream standardOutput) {
        sink = new BytesOut(standardOutput);
        // The same kind of streams the runtime gives a program whose output
        // is a pipe: small buffers, flushed at the same points, so that what
        // the checker writes to both comes out in the same order as from a
        // process of its own.
        out = new PrintStream(new BufferedOutputStream(sink, 128), true);
        err = new PrintStream(new BufferedOutputStream(sink, 128), true);
    }

    public static void main(String[] arguments) throws Exception {
        CheckerHost host = new CheckerHost(new FileOutputStream(FileDescriptor.out));
        host.install();
        host.warmUp();
        Thread reader = new Thread(host::readRequests, "requests");
        reader.setDaemon(true);
        reader.start();
        host.serve();
    }

    private void install() {
        // The checker's own exit calls must end only its check.
        System.setSecurityManager(exitTrap);
        System.setOut(out);
        System.setErr(err);
    }

    /** Checks a tiny book carried in this program a few times, output discarded. */
    private void warmUp() {
        File book = null;
        try {
            book = File.createTempFile("tessaly-warm-up", ".epub");
            book.deleteOnExit();
            try (FileOutputStream file = new FileOutputStream(book)) {
                file.write(TinyBook.bytes());
            }
            sink.discarding = true;
            for (int round = 0; round < 3; ++round)
                runChecker(book.getPath());
        } catch (Throwable ignored) {
            // A host that could not warm up still checks, only slower.
        } finally {
            out.flush();
            err.flush();
            sink.discarding = false;
            if (book != null)
                book.delete();
        }
    }

    /** Reads request lines; the end of standard input ends the host. */
    private void readRequests() {
        InputStream input = new BufferedInputStream(new FileInputStream(FileDescriptor.in), 4096);
        ByteArrayOutputStream line = new ByteArrayOutputStream();
        try {
            int b;
            while ((b = input.read()) >= 0) {
                if (b != '\n') {
                    line.write(b);
                    continue;
                }
                byte[] bytes = line.toByteArray();
                line.reset();
                int length = bytes.length;
                if (length > 0 && bytes[length - 1] == '\r')
                    --length;
                requests.put(java.util.Arrays.copyOf(bytes, length));
            }
        } catch (IOException | InterruptedException ignored) {
            // Treated as the end of the input.
        }
        exitTrap.end(0);
    }

    private void serve() throws InterruptedException {
        boolean givenBack = false;
        while (true) {
            byte[] request = requests.poll(givenBack ? IDLE_LIMIT_SECONDS : GIVE_BACK_SECONDS, TimeUnit.SECONDS);
            if (request == null && givenBack)
                exitTrap.end(0);
            if (request == null) {
                // Idle for a moment, with every answer already out: give
                // back what the checks' garbage made the heap grow to (the
                // runtime's free ratio settings decide how far it shrinks).
                // Not after every check: checks that follow one another
                // keep the heap they need.
                System.gc();
                givenBack = true;
                continue;
            }
            handle(new String(request, StandardCharsets.ISO_8859_1));
            givenBack = false;
        }
    }

    private void handle(String request) {
        String[] parts = request.split(" ", 3);
        if (parts.length >= 2 && parts[0].equals("ping")) {
            endRecord(parts[1], "exit", 0, null);
        } else if (parts.length == 3 && parts[0].equals("check")) {
            check(parts[1], decodePath(parts[2]));
        } else if (parts.length >= 2) {
            endRecord(parts[1], "failed", 0, "unknown-request");
        }
    }

    private void check(String token, String path) {
        sink.startCounting();
        int code;
        try {
            code = runChecker(path);
        } catch (ExitTrap.ExitCalled exit) {
            code = exit.status;
        } catch (OutOfMemoryError error) {
            failed(token, "out-of-memory");
            exitTrap.end(3);
            return;
        } catch (StackOverflowError error) {
            failed(token, "stack-overflow");
            return;
        } catch (Throwable error) {
            // A process of its own would print this with its stack trace and
            // end; only a process of its own prints it exactly that way.
            failed(token, "uncaught-" + error.getClass().getName());
            return;
        }
        endRecord(token, "exit", code, null);
    }

    /** Runs the checker's command-line class on one book; throws what it throws. */
    private int runChecker(String path) throws Throwable {
        try {
            Class<?> checkerClass = Class.forName("com.adobe.epubcheck.tool.EpubChecker");
            Object checker = checkerClass.getConstructor().newInstance();
            return (Integer) checkerClass.getMethod("run", String[].class)
                .invoke(checker, (Object) new String[] {path});
        } catch (java.lang.reflect.InvocationTargetException wrapped) {
            throw wrapped.getCause();
        }
    }

    private void failed(String token, String reason) {
        endRecord(token, "failed", 0, reason);
    }

    private void endRecord(String token, String status, int code, String reason) {
        out.flush();
        err.flush();
        boolean addLineFeed = sink.written() > 0 && sink.lastByte() != '\n';
        StringBuilder record = new StringBuilder();
        if (addLineFeed)
            record.append('\n');
        record.append((char) RECORD_SEPARATOR).append("tessaly-end ").append(token).append(' ')
            .append(status).append(' ').append(code).append(' ').append(addLineFeed ? 1 : 0);
        record.append(' ').append(reason == null ? "-" : reason).append(' ').append(token).append('\n');
        sink.writeRecord(record.toString().getBytes(StandardCharsets.ISO_8859_1));
    }

    /** Undoes the %XX escapes and reads the bytes as the runtime reads arguments. */
    static String decodePath(String escaped) {
        ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        for (int i = 0; i < escaped.length(); ++i) {
            char c = escaped.charAt(i);
            int value = c == '%' && i + 2 < escaped.length() ? hexByte(escaped, i + 1) : -1;
            if (value >= 0) {
                bytes.write(value);
                i += 2;
            } else {
                bytes.write(c);
            }
        }
        String encoding = System.getProperty("sun.jnu.encoding");
        Charset charset = encoding != null && Charset.isSupported(encoding) ? Charset.forName(encoding)
                                                                            : Charset.defaultCharset();
        return new String(bytes.toByteArray(), charset);
    }

    /** The byte written as two hex digits at index, or -1 if they are not. */
    private static int hexByte(String text, int index) {
        int high = Character.digit(text.charAt(index), 16);
        int low = Character.digit(text.charAt(index + 1), 16);
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    }

    /**
     * The standard output shared by both print streams: passes every write
     * straight on, remembers the last byte of the current check, and can
     * swallow everything while the host warms up.
     */
    static final class BytesOut extends OutputStream {
        private final OutputStream target;
        volatile boolean discarding;
        private long written;
        private int lastByte = -1;

        BytesOut(OutputStream target) {
            this.target = target;
        }

        synchronized void startCounting() {
            written = 0;
            lastByte = -1;
        }

        synchronized long written() {
            return written;
        }

        synchronized int lastByte() {
            return lastByte;
        }

        @Override
        public synchronized void write(int b) throws IOException {
            write(new byte[] {(byte) b}, 0, 1);
        }

        @Override
        public synchronized void write(byte[] bytes, int offset, int length) throws IOException {
            if (length <= 0 || discarding)
                return;
            target.write(bytes, offset, length);
            written += length;
            lastByte = bytes[offset + length - 1] & 0xff;
        }

        synchronized void writeRecord(byte[] record) {
            try {
                target.write(record);
                target.flush();
            } catch (IOException ignored) {
                // Nobody reads our output any more; the end of the input
                // ends the host.
            }
        }
    }

    /** Turns exit calls into an error that ends only the running check. */
    static final class ExitTrap extends SecurityManager {
        static final class ExitCalled extends Error {
            private static final long serialVersionUID = 1L;
            final int status;

            ExitCalled(int status) {
                super("exit " + status, null, false, false);
                this.status = status;
            }
        }

        private volatile boolean ending;

        @Override
        public void checkPermission(Permission permission) {}

        @Override
        public void checkPermission(Permission permission, Object context) {}

        @Override
        public void checkExit(int status) {
            if (!ending)
                throw new ExitCalled(status);
        }

        /** Ends the host itself. */
        void end(int status) {
            ending = true;
            Runtime.getRuntime().halt(status);
        }
    }
}
