// A module that nothing loads at start-up, for the delayed import to load.
extern "C" __attribute__((visibility("default"))) int DelayProbe_Answer()
{
    return 42;
}
