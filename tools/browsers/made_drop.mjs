// A drop made in the page, for drivers that cannot drop a file: the same
// event a file dragged from the desktop brings.
export function dropMade(selector, bytes, name) {
  const transfer = new DataTransfer();
  transfer.items.add(new File([new Uint8Array(bytes)], name));
  const target = document.querySelector(selector);
  for (const type of ['dragenter', 'dragover', 'drop']) {
    target.dispatchEvent(new DragEvent(type, {dataTransfer: transfer, bubbles: true, cancelable: true}));
  }
}
