#pragma once
// Resource identifiers of fervix9.dll.
#define IDS_FERVIX_APP_NAME 57344
