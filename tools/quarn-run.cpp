#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROJECT\n", argv[0]);
        return 2;
    }
    return 0;
}
