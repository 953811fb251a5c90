// Resource identifiers of gen_velk, shared by the resource script and the code.
#pragma once

#define IDD_CONFIG 102

#define IDC_ENABLE 1001
#define IDC_PREV_KEY 1002
#define IDC_NEXT_KEY 1003
#define IDC_PREV_LABEL 1004
#define IDC_NEXT_LABEL 1005
