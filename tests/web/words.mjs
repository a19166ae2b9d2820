// The scenario table's input, written in xdotool's words, turned into the
// actions a page runner performs: keys as a keyboard sends them, pointer
// moves and buttons in the drawing's pixels, and the page's own controls.

const keyNames = {
  space: ' ', Return: 'Enter', Escape: 'Escape', Tab: 'Tab', BackSpace: 'Backspace',
  Left: 'ArrowLeft', Right: 'ArrowRight', Up: 'ArrowUp', Down: 'ArrowDown',
  ...Object.fromEntries(Array.from({length: 12}, (_, i) => [`F${i + 1}`, `F${i + 1}`])),
};

const commands = new Set(['key', 'mousemove', 'mousedown', 'mouseup', 'button', 'choose', 'drop',
                          'narrow', 'touch', 'fingers', 'again', 'lose', 'restore', 'ratio',
                          'choosetwo', 'losenext', 'shrink', 'reversereads', 'click', 'windowsize',
                          'keydown', 'keyup', 'longpress']);
const buttons = {1: 0, 2: 1, 3: 2};  // xdotool's left, middle, right

// One key as xdotool names it, with its modifiers (shift+Tab, ctrl+a). A
// capital is typed with Shift held, as xdotool does; with Caps Lock on, a
// letter comes as its capital without Shift, as a keyboard sends it.
function keyPress(name, capsLock) {
  const parts = name.split('+');
  const base = parts.pop();
  const press = {key: keyNames[base] ?? base, shift: parts.includes('shift'), control: parts.includes('ctrl'),
                 alt: parts.includes('alt'), meta: parts.includes('super')};
  if (/^[a-zA-Z]$/.test(press.key)) {
    press.shift ||= press.key !== press.key.toLowerCase();
    const capital = press.shift !== capsLock;
    press.key = capital ? press.key.toUpperCase() : press.key.toLowerCase();
  }
  return press;
}

export function actionsOf(input) {
  const words = input.split(/\s+/).filter(Boolean);
  const actions = [];
  let capsLock = false;
  for (let i = 0; i < words.length;) {
    const word = words[i++];
    if (word === 'key') {
      let repeat = 1;
      while (words[i]?.startsWith('--')) {
        if (words[i] === '--repeat') repeat = Number(words[i + 1]);
        i += 2;  // --delay paces xdotool alone
      }
      for (; i < words.length && !commands.has(words[i]); ++i) {
        if (words[i] === 'Caps_Lock') {
          capsLock = !capsLock;
          continue;
        }
        for (let r = 0; r < repeat; ++r) actions.push({press: keyPress(words[i], capsLock)});
      }
    } else if (word === 'keydown' || word === 'keyup') {
      // A key held down: pressed again while held, it repeats.
      actions.push({[word]: keyPress(words[i++], capsLock).key});
    } else if (word === 'mousemove') {
      actions.push({move: [Number(words[i]), Number(words[i + 1])]});
      i += 2;
    } else if (word === 'mousedown' || word === 'mouseup') {
      actions.push({[word === 'mousedown' ? 'down' : 'up']: buttons[words[i++]]});
    } else if (word === 'click') {
      // Buttons 4 to 7 are X's wheel: up, down, left, right.
      const button = Number(words[i++]);
      if (button in buttons) actions.push({down: buttons[button]}, {up: buttons[button]});
      else actions.push({wheel: {4: [0, -100], 5: [0, 100], 6: [-100, 0], 7: [100, 0]}[button]});
    } else if (word === 'windowsize') {
      // The window is the canvas: {window} names it on the desktop alone.
      actions.push({windowsize: words.slice(i + 1, i + 3).map(Number)});
      i += 3;
    } else if (word === 'longpress') {
      actions.push({longpress: words.slice(i, i + 2).map(Number)});
      i += 2;
    } else if (word === 'touch') {
      actions.push({touch: words.slice(i, i + 4).map(Number)});
      i += 4;
    } else if (word === 'fingers') {
      // A first finger's drag, and a second finger's, begun after it.
      actions.push({fingers: words.slice(i, i + 8).map(Number)});
      i += 8;
    } else if (word === 'choosetwo') {
      actions.push({choosetwo: words.slice(i, i + 2)});
      i += 2;
    } else if (['again', 'lose', 'restore', 'losenext', 'reversereads'].includes(word)) {
      actions.push({[word]: true});
    } else if (commands.has(word)) {
      actions.push({[word]: words[i++]});
    } else {
      throw new Error(`unknown input ${word} in "${input}"`);
    }
  }
  return actions;
}
