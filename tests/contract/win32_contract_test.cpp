// The contract on the real backends, under Wine.
#include "file_system_contract.h"
#include "win32_worlds.h"
#include "window_system_contract.h"

namespace zorvane::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32FileWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowSystemContract, Win32WindowWorld);

}  // namespace zorvane::contract
