// The program put together: its start-up leaves no place of the router without its screen.
#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "app/router.h"
#include "wiring/wiring.h"

namespace {

class WiringTest : public AppTest {};

// The program's own start-up leaves no place without its screen: every place but the fixed
// ones (the interludes and "STORY-SPEC") is bound to the real screen or progression step.
TEST_F(WiringTest, StartUpBindsARealScreenToEveryPlace) {
    control::reset();
    installScreens();
    installPlaces();
    std::vector<std::string> unbound;
    for (const std::string& place : control::placeNames())
        if (!control::isBound(place) && place != "STORY-SPEC" && place.rfind("STORY-FLOW-", 0) != 0)
            unbound.push_back(place);
    EXPECT_EQ(unbound, std::vector<std::string>{});
    control::reset();
}

}  // namespace
