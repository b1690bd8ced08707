"""The user guide read into a small element tree, with every tag checked for balance on the way.

Used by the guide checks; standard library only, so it runs wherever python3 does.
"""

import html.parser

# Elements that never have a closing tag.
VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}


class Element:
    def __init__(self, tag, attrs, line):
        self.tag = tag
        self.attrs = dict(attrs)
        self.line = line
        self.children = []  # Elements and str pieces, in document order

    def classes(self):
        return (self.attrs.get("class") or "").split()

    def text(self):
        return "".join(c if isinstance(c, str) else c.text() for c in self.children)

    def iter(self, tag=None):
        for c in self.children:
            if isinstance(c, Element):
                if tag is None or c.tag == tag:
                    yield c
                yield from c.iter(tag)

    def find_all(self, tag, cls=None):
        return [e for e in self.iter(tag) if cls is None or cls in e.classes()]


class GuideError(Exception):
    pass


class _Builder(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Element("#document", [], 0)
        self.stack = [self.root]
        self.errors = []

    def handle_starttag(self, tag, attrs):
        element = Element(tag, attrs, self.getpos()[0])
        self.stack[-1].children.append(element)
        if tag not in VOID:
            self.stack.append(element)

    def handle_startendtag(self, tag, attrs):
        if tag not in VOID:
            self.errors.append(f"line {self.getpos()[0]}: <{tag}/> is not a void element")
        self.stack[-1].children.append(Element(tag, attrs, self.getpos()[0]))

    def handle_endtag(self, tag):
        line = self.getpos()[0]
        if tag in VOID:
            self.errors.append(f"line {line}: </{tag}> closes a void element")
            return
        top = self.stack[-1]
        if top.tag != tag:
            self.errors.append(
                f"line {line}: </{tag}> closes <{top.tag}> opened on line {top.line}")
            # Recover as a browser would, so one slip gives one message.
            for i in range(len(self.stack) - 1, 0, -1):
                if self.stack[i].tag == tag:
                    del self.stack[i:]
                    return
            return
        self.stack.pop()

    def handle_data(self, data):
        self.stack[-1].children.append(data)


def parse(text):
    """The document's tree; raises GuideError listing every unbalanced tag."""
    builder = _Builder()
    builder.feed(text)
    builder.close()
    errors = list(builder.errors)
    for open_element in builder.stack[1:]:
        errors.append(f"<{open_element.tag}> opened on line {open_element.line} is never closed")
    if errors:
        raise GuideError("\n".join(errors))
    return builder.root
