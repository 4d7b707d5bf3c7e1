// The template chosen by what a file holds: a file the leading bytes of one template match opens
// with it at once from the command line; the Open dialog's question preselects it whatever the
// file's extension.
#include "sondrix_fixture.h"

namespace e2e {
namespace {

// A 1x1 grey image: signature, IHDR and IEND, with their CRCs.
const testsupport::Bytes kPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00, 0x00, 0x3A,
    0x7E, 0x9B, 0x55, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

TEST_F(SondrixTest, AFileOneTemplatesLeadingBytesMatchOpensAtOnceAndIsPreselectedWhateverItsName) {
    work.write("dot.png", kPng);
    work.write("dot.xyz", kPng);
    startProgram("dot.png");
    waitForView("TfrmDocument", "dot.png");
    waitForStatus("Offset $0 (0), size 8");  // the signature of png.tmpl

    openFile("dot.xyz");  // the template preselected
    waitForView("TfrmDocument", "dot.xyz");
    waitForStatus("Offset $0 (0), size 8");
    pressKey(VK_DOWN);
    pressKey(VK_DOWN);
    waitForStatus("Offset $8 (8), size 4");  // the first chunk's length
}

}  // namespace
}  // namespace e2e
