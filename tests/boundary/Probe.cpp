// Compiled as app/ and preview/ code is: the header named by the build must, or
// must not, be found there.
#include VELTRANE_PROBE_HEADER

int main() {
    return 0;
}
