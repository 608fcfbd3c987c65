#include "VeltraneProject.h"

#include "Veltrane.h"
#include "VeltraneDesign.h"

namespace veltrane {

Project veltraneProject() {
    return {"Veltrane", VELTRANE_VERSION, "example.veltrane.Veltrane", veltraneDesign(),
            [](FormControls& controls, Services& services) {
                return std::make_unique<Veltrane>(controls, services);
            }};
}

}  // namespace veltrane
