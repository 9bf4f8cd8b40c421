#pragma once

// Resources of the services test program.
#define IDD_SAMPLE 100
#define IDD_MODELESS 101
#define IDD_MISSING 999
#define IDS_LONG 101
