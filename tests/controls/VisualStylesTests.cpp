// Under a manifest that asks for common controls 6, the system classes that
// the host dialogs and the superclasses name ("Edit", "Button") are the
// common-controls library's own. The other suites of this program run the
// date controls, their faces and the popup under it, with the same
// expectations as without it.
#include "platform/window/Win32.h"

#include <gtest/gtest.h>

namespace test {
namespace {

TEST(VisualStyles, TheManifestRedirectsTheSystemClasses)
{
    for (const char* className : {"Edit", "Button", "SysMonthCal32"}) {
        ACTCTX_SECTION_KEYED_DATA data{};
        data.cbSize = sizeof data;
        EXPECT_TRUE(::FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_WINDOW_CLASS_REDIRECTION,
                                               className, &data)) << className;
    }
}

} // namespace
} // namespace test
