#include "platform/tab_order.h"

#include <algorithm>

namespace zorvane {

std::vector<std::size_t> TabOrder(std::span<const ControlSpec> controls) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].tabStop) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].focusOrder < controls[b].focusOrder;
  });
  return order;
}

}  // namespace zorvane
