namespace platform {

// No debugger to talk to: only an installed sink sees the text.
void systemDebugOutput(const char*) {}

}  // namespace platform
