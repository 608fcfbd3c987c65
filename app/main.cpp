#include "Runtime.h"
#include "Veltrane.h"
#include "VeltraneDesign.h"

int main(int argc, char** argv) {
    using namespace veltrane;
    return runProject({"Veltrane", VELTRANE_VERSION, "example.veltrane.Veltrane", veltraneDesign(),
                       [](const FormControls& controls, Services& services) {
                           return std::make_unique<Veltrane>(controls, services);
                       }},
                      argc, argv);
}
