// Telling the memory the program shares from its own: the window's picture
// goes straight to the X server only when the server reads it from there.
#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <vector>

#include "desktop/window/SharedMapping.h"

TEST(SharedMappingTest, KnowsSharedMemoryFromTheProgramsOwn) {
    const std::size_t size = 1 << 20;
    const int file = memfd_create("picture", 0);
    ASSERT_GE(file, 0);
    ASSERT_EQ(ftruncate(file, size), 0);
    void* shared = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    ASSERT_NE(shared, MAP_FAILED);
    close(file);
    EXPECT_TRUE(inSharedMapping(shared));
    EXPECT_TRUE(inSharedMapping(static_cast<char*>(shared) + size - 1));

    std::vector<char> own(size);
    EXPECT_FALSE(inSharedMapping(own.data())) << "the heap is the program's own";
    int onStack = 0;
    EXPECT_FALSE(inSharedMapping(&onStack));
    munmap(shared, size);
    EXPECT_FALSE(inSharedMapping(shared)) << "nothing is mapped there any more";
}

TEST(SharedMappingTest, TheKernelIsAskedOncePerPictureWhateverItSays) {
    static int asked = 0;
    SharedPictureCheck check([](const void*) { return ++asked > 1; });
    const std::vector<char> picture(64), next(64);
    for (int frame = 0; frame < 3; ++frame) EXPECT_FALSE(check.shared(picture.data(), 64));
    EXPECT_EQ(asked, 1) << "a picture the program keeps is not asked about each frame";
    EXPECT_TRUE(check.shared(next.data(), 64));
    EXPECT_TRUE(check.shared(next.data(), 32)) << "the window resized";
    EXPECT_EQ(asked, 3);
}
