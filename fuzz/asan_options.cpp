// AddressSanitizer's settings for the fuzz targets. Freed memory is held back
// from reuse (the quarantine) so that a use after free is caught; 16 MB holds
// far more than one input frees, where the default 256 MB only made each
// fuzzer's resident memory some 450 MB.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
