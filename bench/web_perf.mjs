// Where the process that draws the page spends a frame, from Linux's perf
// sampling every process while the frames are drawn: of the browser's
// processes, the busiest, and its samples by where they fell. Needs perf
// and the right to sample the whole machine (root, or
// kernel.perf_event_paranoid at most 0); says why when it cannot.

import {execFileSync, spawn} from 'node:child_process';
import {mkdtempSync, readFileSync, readdirSync, rmSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';

const rate = 999;  // samples a second

// The parts, by the object the sample fell in; the kernel's by the system
// call or fault that brought it there, which perf's call chains give.
const kernelParts = [
  ['the kernel: memory given back (madvise, munmap)', /__x64_sys_(madvise|munmap)/],
  ['the kernel: memory faulted in', /asm_exc_page_fault/],
];
const objectParts = [
  ["Mesa's shaders (compiled by llvmpipe)", /^\[JIT\]/],
  ['Mesa', /swrast_dri|gallium|libgallium|libGLX_mesa|libEGL_mesa|libglapi|libLLVM/],
  ["the browser's GL layer (ANGLE)", /libGLESv2|libEGL\.so/],
  ['the C library', /libc\.so|ld-linux/],
];

// A process and all its descendants, from /proc.
export function processTree(pid) {
  const children = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const parent = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      children.set(parent, [...(children.get(parent) ?? []), Number(entry)]);
    } catch {
      // gone meanwhile
    }
  }
  const tree = [];
  for (const queue = [pid]; queue.length;) {
    const next = queue.pop();
    tree.push(next);
    queue.push(...(children.get(next) ?? []));
  }
  return tree;
}

// The threads of the browser's processes, each to its process.
function threadsOf(pid) {
  const threads = new Map();
  for (const process of processTree(pid)) {
    try {
      for (const task of readdirSync(`/proc/${process}/task`)) threads.set(Number(task), process);
    } catch {
      // gone meanwhile
    }
  }
  return threads;
}

// perf report's lines "  12.34%  [1.23%]  [samples]  tid:command  what",
// sorted by thread and `key`, as [share of all samples, tid, what,
// samples]; the samples only without `children`.
function report(file, children, key) {
  const text = execFileSync('perf', ['report', '-i', file, '--stdio', '-n', children ? '--children' : '--no-children',
                                     '--sort', `pid,${key}`, '-g', 'none'],
                            {encoding: 'utf8', maxBuffer: 1 << 28, stdio: ['ignore', 'pipe', 'ignore']});
  const line = /^\s+([\d.]+)%\s+(?:[\d.]+%\s+)?(\d+)\s+(\d+):\S*\s+(.*\S)\s*$/;
  return text.split('\n').map(row => line.exec(row)).filter(Boolean)
    .map(([, share, samples, tid, what]) => [Number(share) / 100, Number(tid), what, Number(samples)]);
}

// The parts of the samples whose thread `belongs`, from the recording
// `file` of `frames` frames: shares of those samples, and ms of a core a
// frame.
function partsOf(file, frames, belongs) {
  const all = report(file, false, 'dso');
  const samples = all.reduce((sum, row) => sum + row[3], 0) / all.reduce((sum, row) => sum + row[0], 0);
  const perFrame = share => share * samples / rate * 1000 / frames;
  const objects = all.filter(([, tid]) => belongs(tid));
  const total = objects.reduce((sum, [share]) => sum + share, 0);
  if (!total) throw new Error('perf saw none of its threads');
  const shareOf = (rows, pattern) =>
    rows.filter(([, tid, what]) => belongs(tid) && pattern.test(what)).reduce((sum, [share]) => sum + share, 0) / total;
  const calls = report(file, true, 'sym');
  const parts = kernelParts.map(([part, pattern]) => [part, shareOf(calls, pattern)]);
  const kernel = shareOf(objects, /kernel/);
  parts.push(['the kernel: the rest', Math.max(0, kernel - parts.reduce((sum, [, share]) => sum + share, 0))]);
  for (const [part, pattern] of objectParts) parts.push([part, shareOf(objects, pattern)]);
  parts.push(["the program's own code and the rest", Math.max(0, 1 - parts.reduce((sum, [, share]) => sum + share, 0))]);
  return {ms: perFrame(total), parts: parts.map(([part, share]) => [part, share, perFrame(share * total)])};
}

// The desktop's frames, as `perf record -g -F 999` of frame_bench alone
// wrote them to `file`: every thread it sampled.
export function desktopParts(file, frames) {
  return partsOf(file, frames, () => true);
}

// Samples the machine while `during` draws `frames` frames; the browser's
// busiest process and its parts.
export async function drawingProcess(browser, frames, during) {
  const dir = mkdtempSync(path.join(tmpdir(), 'marblechess-perf-'));
  const file = path.join(dir, 'perf.data');
  try {
    const perf = spawn('perf', ['record', '-a', '-g', '-F', String(rate), '-o', file], {stdio: 'ignore'});
    const ended = new Promise(resolve => {
      perf.on('exit', resolve);
      perf.on('error', () => resolve('missing'));
    });
    const failed = await Promise.race([ended, new Promise(resolve => setTimeout(resolve, 1000, null))]);
    if (failed === 'missing') return {skipped: 'perf is not installed (Debian: linux-perf)'};
    if (failed !== null) return {skipped: `perf could not sample the machine (status ${failed}): it needs root`};
    await during();
    perf.kill('SIGINT');
    await ended;
    const threads = threadsOf(browser.pid());
    const busy = new Map();
    for (const [share, tid] of report(file, false, 'dso')) {
      if (threads.has(tid)) busy.set(threads.get(tid), (busy.get(threads.get(tid)) ?? 0) + share);
    }
    if (!busy.size) throw new Error("perf saw none of the browser's processes");
    const pid = [...busy].sort((a, b) => b[1] - a[1])[0][0];
    const name = readFileSync(`/proc/${pid}/comm`, 'utf8').trim();
    return {pid, name, ...partsOf(file, frames, tid => threads.get(tid) === pid)};
  } finally {
    rmSync(dir, {recursive: true, force: true});
  }
}
