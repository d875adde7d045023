package com.adobe.epubcheck.tool;

import java.util.ArrayList;
import java.util.List;

/**
 * Stands in for the checker's command-line class in the host's tests: what
 * it does depends on the book's file name.
 */
public class EpubChecker {
    public int run(String[] arguments) {
        String book = arguments[0];
        String name = book.substring(book.lastIndexOf('/') + 1);
        switch (name) {
        case "exit":
            System.out.println("before the exit call");
            System.exit(7);
            return 0;
        case "memory":
            List<long[]> hoard = new ArrayList<>();
            while (true)
                hoard.add(new long[1 << 20]);
        case "deep":
            return deep(0);
        case "throw":
            throw new IllegalStateException("broken");
        case "mixed":
            System.out.println("out 1");
            System.err.println("err 1");
            System.out.print("out 2 ");
            System.out.flush();
            System.err.print("err 2");
            System.err.flush();
            System.out.print("\nno line feed at the end");
            System.out.flush();
            return 3;
        case "slow":
            System.out.println("started");
            try {
                Thread.sleep(60_000);
            } catch (InterruptedException ignored) {
            }
            return 0;
        default:
            System.out.println("path=" + book);
            return 0;
        }
    }

    private int deep(int depth) {
        return deep(depth + 1) + 1;
    }
}
