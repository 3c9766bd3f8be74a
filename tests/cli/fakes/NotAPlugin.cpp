// A shared library without a VST entry point.
extern "C" __attribute__((visibility("default"))) int tamzorTestNothingHere() { return 0; }
