# Puts a page together: assemble.py TEMPLATE PROGRAM SCRIPT OUT [LICENCES
# VERSION]. The template's @VIEWER@ takes the program's script, @MODULE@
# its WebAssembly (the .wasm beside it) in base64, @PAGE@ the page's own
# script, and its Content-Security-Policy allows the two scripts and its
# inline style by their hashes, and nothing else from anywhere; @LICENCES@
# and @VERSION@ take what is given for them. The module is a block of data,
# not a script: the browser neither parses nor hashes its megabyte or more
# as it would a script's, which took Firefox a tenth of its first frame.
import base64, hashlib, html, re, sys

template, program, script, out = sys.argv[1:5]
if not program.endswith(".js"):
    sys.exit(f"assemble.py: {program} is not the program's .js")
module = program[: -len(".js")] + ".wasm"
read = lambda name: open(name, encoding="utf-8").read()
scripts = {"@VIEWER@": read(program), "@PAGE@": read(script)}
for name, text in scripts.items():
    if "</script" in text.lower():
        sys.exit(f"assemble.py: {name} holds </script")
digest = lambda text: "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"
page = read(template)
styles = re.findall(r"<style>(.*?)</style>", page, re.S)
parts = dict(scripts)
parts["@MODULE@"] = base64.b64encode(open(module, "rb").read()).decode()
parts["@SCRIPT_SOURCES@"] = " ".join(digest(text) for text in scripts.values())
parts["@STYLE_SOURCES@"] = " ".join(digest(text) for text in styles)
if len(sys.argv) > 6:
    parts["@LICENCES@"] = html.escape(read(sys.argv[5]))
    parts["@VERSION@"] = sys.argv[6]
# Each placeholder is replaced once, in the template's text alone.
pattern = re.compile("|".join(re.escape(key) for key in parts))
open(out, "w", encoding="utf-8", newline="\n").write(pattern.sub(lambda m: parts[m.group(0)], page))
