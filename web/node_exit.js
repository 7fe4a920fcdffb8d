// Included before the tools that node runs (citydump.js). They print through process.stdout,
// which node writes to a pipe without blocking: what a slow reader has not taken yet waits in
// node's queue. Emscripten ends a program with process.exit(), which drops that queue, so a
// pipe lost the end of the output with status 0. Ending by process.exitCode instead lets node
// write the queue out first; a write that fails (a closed pipe) still ends with an error.
Module['quit'] = function (status, toThrow) {
    process.exitCode = status;
    throw toThrow;
};
