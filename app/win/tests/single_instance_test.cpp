#include "app/win/single_instance.h"

#include <gtest/gtest.h>

#include "base/win/scoped_win.h"

namespace {

TEST(SingleInstanceTest, AMutexThatExistsButCannotBeOpenedMeansAnotherCopyRuns) {
    // An elevated copy's mutex: CreateMutexW gives no handle and access denied.
    EXPECT_TRUE(AnotherCopyRuns(nullptr, ERROR_ACCESS_DENIED));
    // Any other failure is no sign of another copy: this one runs.
    EXPECT_FALSE(AnotherCopyRuns(nullptr, ERROR_INVALID_HANDLE));
}

TEST(SingleInstanceTest, TheFirstCopyMakesTheMutexAndTheSecondFindsIt) {
    const wchar_t name[] = L"SolvaneSingleInstanceTest-{5D0C8B7E-2F41-4C6B-9E0A-7A1B3C5D7E9F}";
    ScopedKernelHandle first(CreateMutexW(nullptr, FALSE, name));
    const DWORD firstError = GetLastError();
    ASSERT_TRUE(first);
    EXPECT_FALSE(AnotherCopyRuns(first.get(), firstError));
    ScopedKernelHandle second(CreateMutexW(nullptr, FALSE, name));
    const DWORD secondError = GetLastError();
    EXPECT_TRUE(AnotherCopyRuns(second.get(), secondError));
}

}  // namespace
