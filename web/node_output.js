// Included before the tools that node runs (citydump.js): they print all of their output or
// fail. Node writes process.stdout to a pipe without blocking and queues what a slow reader has
// not taken yet; Emscripten ends a program with process.exit(), which drops that queue, so a
// pipe lost the end of the output with status 0. Ending by process.exitCode lets node write
// the queue out first. Emscripten prints through console.log, which ignores failed writes (a
// closed pipe, a full disk): writing to process.stdout itself reports them.
Module['print'] = function (line) {
    process.stdout.write(line + '\n');
};
process.stdout.on('error', function (error) {
    process.stderr.write(require('path').basename(process.argv[1], '.js') +
        ': cannot write the output (' + error.message + ')\n');
    process.exitCode = 1;
    process.stdout.destroy();
});
Module['quit'] = function (status, toThrow) {
    if (!process.exitCode) {
        process.exitCode = status;
    }
    throw toThrow;
};
