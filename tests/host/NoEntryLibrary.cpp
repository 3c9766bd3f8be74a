// A shared library that is not a plug-in: it exports neither VSTPluginMain
// nor main.
extern "C" __attribute__((visibility("default"))) int tamzorUnrelatedFunction() { return 42; }
