// The DLL's load entry (Windows builds only). The engine starts the library
// through A5_DLLAPI; loading itself must have no side effects.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
