// Reports the page's rows engine by engine, each engine's worst frame of
// every baseline, and last the plain "web: N passed, N failed" line.

function seconds(details) {
  return `${((details?.duration_ms ?? 0) / 1000).toFixed(1)} s`;
}

function why(error) {
  const cause = error?.cause ?? error;
  return String(cause?.message ?? cause).split('\n').slice(0, 6).join('\n      ');
}

export default async function* report(source) {
  const count = {passed: 0, failed: 0, skipped: 0};
  let engine = null;
  let version = '';
  let limit = '';
  let renderer = '';
  let worst = new Map();  // baseline -> the checker's figures for its frame with the most pixels off
  for await (const {type, data} of source) {
    if (type === 'test:start' && data.nesting === 0) {
      [engine, version, worst, limit, renderer] = [data.name, '', new Map(), '', ''];
      yield `\n${engine}\n`;
    } else if ((type === 'test:pass' || type === 'test:fail') && data.nesting === 1) {
      if (data.skip === 'test name does not match pattern') {
        // a row left out by --test-name-pattern
      } else if (data.skip !== undefined) {
        count.skipped++;
        yield `  skip ${data.name}: ${data.skip}\n`;
      } else if (type === 'test:pass') {
        count.passed++;
        yield `  ok   ${data.name} (${seconds(data.details)})\n`;
      } else {
        count.failed++;
        yield `  FAIL ${data.name} (${seconds(data.details)}): ${why(data.details?.error)}\n`;
      }
    } else if (type === 'test:diagnostic' && data.nesting === 1) {
      const frame = /^frame (\S+): (\d+) (.*)$/.exec(data.message);
      if (data.message.startsWith('engine ')) version = data.message.slice(7);
      if (data.message.startsWith('MAX_TEXTURE_SIZE ')) limit = data.message;
      if (data.message.startsWith('renderer ')) renderer = data.message.slice(9);
      if (frame && Number(frame[2]) >= (worst.get(frame[1])?.pixels ?? -1)) {
        worst.set(frame[1], {pixels: Number(frame[2]), line: data.message.slice(6)});
      }
    } else if ((type === 'test:pass' || type === 'test:fail') && data.nesting === 0) {
      if (type === 'test:fail' && data.details?.error?.failureType !== 'subtestsFailed') {
        count.failed++;
        yield `  FAIL ${engine}: ${why(data.details?.error)}\n`;
      }
      yield `  ${version || engine}, ${seconds(data.details)}${limit ? `, ${limit}` : ''}\n`;
      if (renderer) yield `  WebGL renderer: ${renderer}\n`;
      yield '  the worst frame of each baseline:\n';
      for (const baseline of [...worst.keys()].sort()) yield `    ${worst.get(baseline).line}\n`;
    }
  }
  if (count.skipped) yield `\n${count.skipped} rows skipped where an engine's driver cannot give their input\n`;
  yield `web: ${count.passed} passed, ${count.failed} failed\n`;
}
