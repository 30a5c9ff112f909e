#include <gtest/gtest.h>

#include "app/instance_lock.h"
#include "common/text_file.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using test::TempFolder;
using Outcome = InstanceLock::Outcome;

TEST(InstanceLock, OneHolderPerFolderUntilItGoes) {
    TempFolder folder, other;
    {
        const InstanceLock first(folder.path());
        EXPECT_EQ(first.outcome(), Outcome::Acquired);
        EXPECT_TRUE(InstanceLock(folder.path()).heldElsewhere());
        EXPECT_EQ(InstanceLock(other.path()).outcome(), Outcome::Acquired);
        // The working folder by default, however it is named.
        test::WorkingFolder cwd(folder.path());
        EXPECT_TRUE(InstanceLock().heldElsewhere());
    }
    // The file stays behind and holds nobody back.
    EXPECT_TRUE(fileExists(folder.file(kInstanceLockFileName)));
    EXPECT_EQ(InstanceLock(folder.path()).outcome(), Outcome::Acquired);
}

TEST(InstanceLock, AFolderWithoutRoomForTheFileGuardsNothing) {
    TempFolder folder;
    const InstanceLock lock(folder.file("missing"));
    EXPECT_EQ(lock.outcome(), Outcome::Unavailable);
    EXPECT_FALSE(lock.heldElsewhere());
}

}  // namespace
}  // namespace brezzolo
