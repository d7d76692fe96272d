// A tiny library that the Windows loader tests load by a Windows path.
extern "C" __attribute__((visibility("default"))) int WindowsTestLibraryAnswer()
{
    return 42;
}
