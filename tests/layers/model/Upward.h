#include "view/CBasicView.h" // a model header reaching up into the view: the check must fail
