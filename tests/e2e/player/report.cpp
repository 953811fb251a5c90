// Failures name the scenario's current step, so a red test says what broke.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "player.h"

static char currentStep[160] = "start-up";

void Step(const char* name)
{
    lstrcpynA(currentStep, name, sizeof currentStep);
    printf("  step: %s\n", name);
    fflush(stdout);
}

static void Report(const char* format, va_list args)
{
    printf("FAILED at step \"%s\": ", currentStep);
    vprintf(format, args);
    printf("\n");
    fflush(stdout);
}

void Fail(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Report(format, args);
    va_end(args);
    // Leaves at once: later steps build on this one, and the dialog thread
    // may be the one failing while the player's thread sits in a modal loop.
    ExitProcess(1);
}

void Check(bool ok, const char* format, ...)
{
    if (ok)
        return;
    va_list args;
    va_start(args, format);
    Report(format, args);
    va_end(args);
    ExitProcess(1);
}
