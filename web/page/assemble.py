# Puts a page together: assemble.py TEMPLATE PROGRAM SCRIPT OUT [LICENCES
# VERSION]. The template's @VIEWER@ takes the program's script, @PAGE@ the
# page's own, and its Content-Security-Policy allows those two and its
# inline style by their hashes, and nothing else from anywhere; @LICENCES@
# and @VERSION@ take what is given for them.
import base64, hashlib, html, re, sys

template, program, script, out = sys.argv[1:5]
read = lambda name: open(name, encoding="utf-8").read()
scripts = {"@VIEWER@": read(program), "@PAGE@": read(script)}
for name, text in scripts.items():
    if "</script" in text.lower():
        sys.exit(f"assemble.py: {name} holds </script")
digest = lambda text: "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"
page = read(template)
styles = re.findall(r"<style>(.*?)</style>", page, re.S)
parts = dict(scripts)
parts["@SCRIPT_SOURCES@"] = " ".join(digest(text) for text in scripts.values())
parts["@STYLE_SOURCES@"] = " ".join(digest(text) for text in styles)
if len(sys.argv) > 6:
    parts["@LICENCES@"] = html.escape(read(sys.argv[5]))
    parts["@VERSION@"] = sys.argv[6]
# Each placeholder is replaced once, in the template's text alone.
pattern = re.compile("|".join(re.escape(key) for key in parts))
open(out, "w", encoding="utf-8", newline="\n").write(pattern.sub(lambda m: parts[m.group(0)], page))
