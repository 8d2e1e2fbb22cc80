// Compiles the unit tests' precompiled headers; it holds nothing of its own.
