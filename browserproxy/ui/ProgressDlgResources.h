#pragma once

// The progress dialog's template and its bar.
#define IDD_PROGRESS 104
#define IDC_PROGRESS_BAR 201
