#include "data/debug_log.h"

int main() {
    OpenLog();
    CloseLog();
    return 0;
}
