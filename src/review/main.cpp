// stepwise-review: the instructor's program. Reads a class's hand-in files into reports.
#include <cstdio>

int main() {
    std::fputs("stepwise-review: not built yet\n", stderr);
    return 2;
}
