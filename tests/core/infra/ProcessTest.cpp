#include "core/infra/Process.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace tovel;

TEST(DisplayAvailable, OnlyALinuxDesktopMustNameItsDisplay) {
    struct Case {
        HostSystem host;
        std::map<std::string, std::string> environment;
        bool available;
    };
    const Case cases[] = {
        {HostSystem::Linux, {}, false},
        {HostSystem::Linux, {{"DISPLAY", ""}}, false},
        {HostSystem::Linux, {{"DISPLAY", ":0"}}, true},
        {HostSystem::Linux, {{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {HostSystem::Linux, {{"QT_QPA_PLATFORM", "offscreen"}}, true},
        {HostSystem::Other, {}, true},
    };
    for (const Case& c : cases) {
        const auto environment = [&](const char* name) -> const char* {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(DisplayAvailable(c.host, environment), c.available) << c.environment.size();
    }
}
