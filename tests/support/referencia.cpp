#include "support/referencia.h"
