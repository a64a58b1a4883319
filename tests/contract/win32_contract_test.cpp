// The contract on the real backends, under Wine.
#include "drawing_contract.h"
#include "file_system_contract.h"
#include "modal_contract.h"
#include "threads_contract.h"
#include "win32_worlds.h"
#include "window_system_contract.h"

namespace zorvane::contract {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, DrawingContract, Win32WindowWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32FileWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowSystemContract, Win32WindowWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ModalContract, Win32WindowWorld);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ThreadsContract, Win32WindowWorld);

}  // namespace zorvane::contract
