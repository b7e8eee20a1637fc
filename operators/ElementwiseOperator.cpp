#include "operators/ElementwiseOperator.h"
