// The one handle owner all kinds share: closed once, never twice, moves hand
// ownership over.

#include "common/handle.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

struct CountingTraits {
  using Type = int;
  static inline std::vector<int> closed;
  static Type Invalid() { return 0; }
  static void Close(Type value) { closed.push_back(value); }
};
using Counted = UniqueHandle<CountingTraits>;

TEST(UniqueHandle, ClosesExactlyOnceThroughEveryPath) {
  CountingTraits::closed.clear();
  {
    Counted a(1);
    Counted b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), 1);
    Counted c(2);
    c = std::move(b);  // 2 closes now, 1 moves over
    EXPECT_EQ(CountingTraits::closed, std::vector<int>{2});
    c.reset(3);
    EXPECT_EQ(CountingTraits::closed, (std::vector<int>{2, 1}));
    Counted d(4);
    EXPECT_EQ(d.release(), 4);
    Counted none;
    none.reset();
  }
  EXPECT_EQ(CountingTraits::closed, (std::vector<int>{2, 1, 3}));
}

TEST(UniqueHandle, KernelHandleIsReallyClosed) {
  HANDLE raw = nullptr;
  {
    UniqueKernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    raw = event.get();
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(raw, &flags));
  }
  DWORD flags = 0;
  EXPECT_FALSE(GetHandleInformation(raw, &flags));
}

TEST(UniqueHandle, FileHandleTreatsInvalidHandleValueAsNone) {
  UniqueFileHandle missing(CreateFileA("C:\\no\\such\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(missing);
}

}  // namespace
}  // namespace vnx
