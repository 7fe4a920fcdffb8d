#include "app/startup.h"

void startUp() {}
