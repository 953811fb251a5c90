// test_player SCENARIO: runs one scenario and exits 0 when it passed.
#include <cstdio>

#include "player.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        printf("usage: test_player SCENARIO\n");
        return 2;
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    return RunScenario(argv[1]);
}
