// A library without an entry point, copied under other names by the tests
// that check where LoadLibraryW looks.
extern "C" int TestModulePlainValue()
{
    return 7;
}
