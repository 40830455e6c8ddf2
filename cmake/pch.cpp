// The translation unit that precompiles the shared headers.
