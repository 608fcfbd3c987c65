#include "Runtime.h"
#include "VeltraneProject.h"

int main(int argc, char** argv) {
    return veltrane::runProject(veltrane::veltraneProject(), argc, argv);
}
