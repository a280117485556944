#include "play_test_support.h"
