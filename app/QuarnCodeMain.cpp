#include "app/CQuarnCode.h"

// The desktop program's entry point: the toolkit creates the application object and runs it.
wxIMPLEMENT_APP(CQuarnCode);
