#include "support/recording_observer.h"
