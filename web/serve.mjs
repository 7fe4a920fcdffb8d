// Serves the built page on 127.0.0.1 and prints its address.
// Usage: node serve.mjs DIR [PORT] [SETTINGS]   PORT 0 picks a free one; SETTINGS, when given,
// is served as settings.ini instead of DIR's own (the browser tests use their own settings).
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';

const types = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
    '.wasm': 'application/wasm', '.data': 'application/octet-stream', '.ini': 'text/plain',
    '.png': 'image/png', '.ogg': 'audio/ogg', '.webmanifest': 'application/manifest+json',
};

export function startServer(dir, port = 0, settingsFile = null) {
    const root = resolve(dir);
    const server = createServer(async (request, response) => {
        let path = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
        // A folder is its page, as on most servers (the installed page starts at its folder).
        if (path.endsWith('/')) {
            path += 'index.html';
        }
        let file = normalize(join(root, path));
        if (path === '/settings.ini' && settingsFile) {
            file = settingsFile;
        } else if (!file.startsWith(root + '/')) {
            response.writeHead(403).end();
            return;
        }
        try {
            // Every answer is checked again on use (no-cache), and a copy the browser already
            // holds is confirmed without sending it again (the service worker asks for each
            // file of the page just after the page itself has).
            const info = await stat(file);
            const tag = `"${info.size}-${Math.floor(info.mtimeMs)}"`;
            const headers = {
                'Content-Type': types[extname(file)] || 'application/octet-stream',
                'Cache-Control': 'no-cache',
                'ETag': tag,
            };
            if (request.headers['if-none-match'] === tag) {
                response.writeHead(304, headers).end();
                return;
            }
            const body = await readFile(file);
            response.writeHead(200, { ...headers, 'Content-Length': body.length });
            response.end(body);
        } catch {
            response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
        }
    });
    return new Promise((resolveStart, reject) => {
        server.once('error', reject);
        server.listen(port, '127.0.0.1', () => resolveStart(server));
    });
}

if (process.argv[1] && resolve(process.argv[1]) === resolve(new URL(import.meta.url).pathname)) {
    const [dir, port, settings] = process.argv.slice(2);
    if (!dir) {
        console.error('usage: node serve.mjs DIR [PORT] [SETTINGS]');
        process.exit(2);
    }
    const server = await startServer(dir, Number(port || 8080), settings || null);
    console.log(`Lornhaven is served at http://127.0.0.1:${server.address().port}/ (Ctrl-C stops)`);
}
