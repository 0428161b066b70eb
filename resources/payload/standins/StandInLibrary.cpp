// A loadable stand-in for one of the payload libraries in test builds. STANDIN_NAME, the library's own base
// name, is built into it, so each stand-in library has different bytes and says which one it is.

extern "C" __declspec(dllexport) const char *StandInName() { return STANDIN_NAME; }
