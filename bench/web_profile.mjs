// Where the main thread's time for a frame goes, from the engines' own
// sampling profilers on a page built with its functions' names
// (--profiling-funcs): Chromium's CPU profile through its DevTools
// protocol, and Firefox's Gecko profiler, which writes its profile when the
// browser ends. Only the samples taken inside the program's display
// callback count; each goes to the part of the frame its function belongs
// to, a native function (a WebGL call, unnamed in Firefox) to the nearest
// named one that called it.

import {readFileSync} from 'node:fs';

// The parts, first rule that matches wins. Program functions are named as
// the program, GLU and freeglut name them; the stand-in's as it does.
export const parts = [
  ['uniforms', /setUniforms|giveUniforms|giveMaterials|_emscripten_glUniform|^(WebGLRenderingContext\.)?uniform/],
  ['the WebGL calls themselves',
   /^_emscripten_gl|^emscripten_gl|wasm-to-js|js-to-wasm|^WebGLRenderingContext\.|^(bindBuffer|bindTexture|drawElements|vertexAttrib\w*|enableVertexAttribArray|disableVertexAttribArray|bufferData|bufferSubData|useProgram|clear|clearColor|depthFunc|viewport|isContextLost|getError)\b|^webgl|_emscripten_is_webgl/],
  ['the comparison with what WebGL holds', /KeptArray|sameBytes|sameVertices|sameEach|extentOf/],
  ['reaching client arrays',
   /^glDrawElements|^glDrawArrays|reach\(|arrayVertices|drawFromArrays|drawShortIds|^gl\w*Pointer|^gl\w*ClientState/],
  ['gathering immediate-mode vertices',
   /^glBegin|^glEnd\b|^glVertex|^glNormal|^glTexCoord|^glColor|addVertices|addIndex|drawPair|verticesOf|inheritCurrent|drawStrip|drawTriangles|VertexAttribute|VertexData|makeRoom/],
  ['calling display lists', /glCallList|drawList|shape_lists|::draw\(std::(__2::)?tuple/],
  ['folding the state into a draw',
   /drawState|drawMaterial|standin::place\(|takeMaterials|joins|joinStrip|clipMatrix|outsideView|outsideClipPlanes|throughPipeline|filteredTexel|matrices::|standin::flushDraws|standin::drawFrame|drawVertices|polygons|pointAtFrame|pointAtRetained|inputArray|inputValue|device::/],
  ['setting GL state', /^gl[A-Z]|setLight|setMaterial|setCapability|multiplyCurrent|currentStack/],
  ["the program's own calls",
   /display\(\)|drawScene|drawBoard|drawPiece|drawCylinder|drawDisk|drawQuad|drawSquares|drawFrame\(\)|placeSpotlight|startTextureGeneration|lightFromPointer|^glu|^fgh|^freeglut|^glut|sin|cos|rem_pio2|malloc|free|memset|memcpy|keyboard/],
];

export function partOf(name) {
  return parts.find(([, pattern]) => pattern.test(name))?.[0] ?? 'other';
}

// Milliseconds a frame for each part, from a count of microseconds by
// function name over `frames` frames.
function perFrame(byName, frames) {
  const byPart = new Map(parts.map(([part]) => [part, 0]));
  byPart.set('other', 0);
  for (const [name, us] of byName) byPart.set(partOf(name), byPart.get(partOf(name)) + us);
  const total = [...byPart.values()].reduce((a, b) => a + b, 0);
  // What the parts do not name, its largest three, for the next rule.
  const others = [...byName].filter(([name]) => partOf(name) === 'other').sort((a, b) => b[1] - a[1])
    .slice(0, 3).map(([name]) => name);
  return {total: total / 1000 / frames, others,
          parts: [...byPart].map(([part, us]) => ({part, ms: us / 1000 / frames, share: us / total}))};
}

// Chromium's profile (Profiler.stop's): self time of the samples inside
// display().
export function chromiumParts(profile, frames) {
  const byId = new Map(profile.nodes.map(node => [node.id, node]));
  const parent = new Map();
  for (const node of profile.nodes) for (const child of node.children ?? []) parent.set(child, node.id);
  const inDisplay = new Map();
  const underDisplay = id => {
    if (inDisplay.has(id)) return inDisplay.get(id);
    const node = byId.get(id);
    const answer = node.callFrame.functionName === 'display()' ||
        (parent.has(id) && underDisplay(parent.get(id)));
    inDisplay.set(id, answer);
    return answer;
  };
  const byName = new Map();
  for (let i = 0; i < profile.samples.length; ++i) {
    const id = profile.samples[i];
    if (!underDisplay(id)) continue;
    const name = byId.get(id).callFrame.functionName || '(anonymous)';
    byName.set(name, (byName.get(name) ?? 0) + (profile.timeDeltas[i + 1] ?? 0));
  }
  return perFrame(byName, frames);
}

// When the page marked `name` with performance.mark, in the thread's time.
function markedAt(thread, strings, name) {
  const {schema, data} = thread.markers;
  for (const marker of data) {
    if (marker[schema.data]?.name === name) return marker[schema.startTime];
  }
  throw new Error(`the profile holds no mark ${name}`);
}

// Firefox's profile, as MOZ_PROFILER_SHUTDOWN writes it: the content
// process that held the page from `file:`, from the page's mark `from` on,
// each sample's interval to the next counted for its leaf's nearest named
// frame.
export function firefoxParts(file, frames, from) {
  const profile = JSON.parse(readFileSync(file, 'utf8'));
  const threads = (profile.processes ?? []).flatMap(process => process.threads ?? []);
  const thread = threads.find(t => /file:\/\//.test(t.processName ?? ''));
  if (!thread) throw new Error('the profile holds no content process of a file: page');
  const strings = thread.stringTable ?? thread.stringArray;
  const {frameTable, stackTable, samples} = thread;
  const frameName = frame => strings[frameTable.data[frame][frameTable.schema.location]];
  const named = name => !/^0x[0-9a-f]+$/.test(name);
  const stackOf = stack => stackTable.data[stack];
  const at = {stack: samples.schema.stack, time: samples.schema.time};
  const start = markedAt(thread, strings, from);
  const byName = new Map();
  for (let i = 0; i + 1 < samples.data.length; ++i) {
    const stack = samples.data[i][at.stack];
    if (stack === null || samples.data[i][at.time] < start) continue;
    let leaf = null;
    let inDisplay = false;
    for (let s = stack; s !== null && s !== undefined; s = stackOf(s)[stackTable.schema.prefix]) {
      const name = frameName(stackOf(s)[stackTable.schema.frame]);
      if (leaf === null && named(name)) leaf = name.replace(/ \(.*\)$/, '');
      if (name.startsWith('display() ')) inDisplay = true;
    }
    if (!inDisplay) continue;
    const us = (samples.data[i + 1][at.time] - samples.data[i][at.time]) * 1000;
    byName.set(leaf, (byName.get(leaf) ?? 0) + us);
  }
  return perFrame(byName, frames);
}

// Chromium's GPU process from a trace of `frames` frames: for each event
// name, the time spent in it and not in an event within it, a frame's
// worth in ms, the largest first.
export function gpuProcessParts(events, frames) {
  const gpu = events.find(e => e.ph === 'M' && e.name === 'process_name' && e.args?.name === 'GPU Process')?.pid;
  if (gpu === undefined) throw new Error('the trace holds no GPU process');
  const byThread = new Map();
  for (const e of events) {
    if (e.pid !== gpu || e.ph !== 'X' || !(e.dur >= 0)) continue;
    byThread.set(e.tid, [...(byThread.get(e.tid) ?? []), e]);
  }
  const self = new Map();
  for (const list of byThread.values()) {
    list.sort((a, b) => a.ts - b.ts || b.dur - a.dur);
    const open = [];
    for (const e of list) {
      while (open.length && open.at(-1).ts + open.at(-1).dur <= e.ts) open.pop();
      if (open.length) self.set(open.at(-1).name, (self.get(open.at(-1).name) ?? 0) - e.dur);
      self.set(e.name, (self.get(e.name) ?? 0) + e.dur);
      open.push(e);
    }
  }
  return [...self].map(([name, us]) => ({name, ms: us / 1000 / frames})).sort((a, b) => b.ms - a.ms);
}
