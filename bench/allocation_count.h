// Counts the heap allocations the process makes, whoever makes them.
#pragma once

unsigned long AllocationCount();
