# Debian packages the build needs, sourced by run.sh and test.sh.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config)
GUI_PACKAGES=(qt6-base-dev libgl-dev fonts-noto-cjk)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev libssl-dev libcrypto++-dev clang libclang-rt-14-dev)
