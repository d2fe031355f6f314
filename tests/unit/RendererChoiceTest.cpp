// Which OpenGL renderers draw on the processor: there the program draws its
// windows in software instead of compositing them with OpenGL.
#include "platform/RendererChoice.h"

#include <gtest/gtest.h>

namespace {

struct RendererCase {
    const char* renderer;
    const char* vendor;
    bool software;
};

class RendererChoice : public ::testing::TestWithParam<RendererCase> {};

TEST_P(RendererChoice, SoftwareRenderersAreRecognised)
{
    const RendererCase& c = GetParam();
    EXPECT_EQ(ink::isSoftwareOpenGl(QString::fromUtf8(c.renderer), QString::fromUtf8(c.vendor)),
              c.software)
        << c.renderer << " / " << c.vendor;
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, RendererChoice,
    ::testing::Values(
        RendererCase{"llvmpipe (LLVM 15.0.6, 256 bits)", "Mesa", true},
        RendererCase{"LLVMPIPE (LLVM 12)", "Mesa/X.org", true},
        RendererCase{"softpipe", "Mesa", true},
        RendererCase{"Software Rasterizer", "Mesa Project", true},
        RendererCase{"Google SwiftShader", "Google Inc.", true},
        RendererCase{"GDI Generic", "Microsoft Corporation", true},
        RendererCase{"", "", true},          // no renderer reported: no usable OpenGL
        RendererCase{"   ", "Mesa", true},
        RendererCase{"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "Intel", false},
        RendererCase{"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)", "AMD", false},
        RendererCase{"NVIDIA GeForce GTX 1060/PCIe/SSE2", "NVIDIA Corporation", false},
        RendererCase{"virgl", "Mesa", false}));

}
