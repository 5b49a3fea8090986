"""Where a one-line fault can go in the product's C++ sources, and a seeded draw
of them. Used by tools/draw_faults.py; `--list` there shows a draw without
building anything.

The sources are read by a small tokenizer, not a compiler: comments, string
and character literals, preprocessor lines and static_asserts are never
mutated. A rule that guesses wrong makes a fault that does not compile, and
the runner replaces that one with the next draw (and counts it).

Rules (name: what it does):
  comparison   < <= > >= == != becomes its boundary neighbour or its negation
               (< to <= or >=, == to !=); template brackets are told apart by
               what they enclose and what follows them
  not          a logical ! is dropped
  constant     an integer literal + 1 or - 1 (-1 becomes 0 or -2)
  index        a subscript a[i] becomes a[i + 1] or a[i - 1] (a literal
               index is the constant rule's; an array's declared size is not
               an index)
  logic        && becomes || and || becomes && (with the parentheses C++
               reads a mixed chain with, which -Wparentheses asks for)
  drop-call    a statement that is only a call (its result unused) is removed
  swap-args    two arguments of one call are swapped when both are literals
               of one kind, both ALL_CAPS names, both &names or both other
               names (member chains such as plan.file included), and not
               when the file declares the two names with different types
  return-early a function body starts with `return;` (void, constructors),
               `return false;` (bool), `return FALSE;` (BOOL) or `return {};`
               (any other value type); bodies returning references or auto
               are skipped

The draw: every line that has at least one site is equally likely; then one
of the rules that apply on that line; then one of that rule's sites on the
line and one of its variants. Drawn faults are not drawn again.
"""
import hashlib
import pathlib
import re

RULES = ("comparison", "not", "constant", "index", "logic", "drop-call", "swap-args", "return-early")

TOKEN = re.compile(r"""
  (?P<ws>\s+)
| (?P<comment>//[^\n]*|/\*.*?\*/)
| (?P<string>(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*")
| (?P<char>(?:u8|u|U|L)?'(?:\\.|[^'\\\n])+')
| (?P<number>\.?\d(?:[eEpP][+-]|[\w.'])*)
| (?P<ident>[A-Za-z_]\w*)
| (?P<punct>>>=|<<=|->\*|\.\.\.|::|->|\+\+|--|<<|>>|<=|>=|==|!=|&&|\|\||[-+*/%&|^]=|[][(){};:,.?~!%^&*+\-/<>=|\\#@$`])
""", re.X | re.S)

KEYWORDS = {
    "alignas", "alignof", "auto", "bool", "break", "case", "catch", "char", "class", "const", "constexpr",
    "const_cast", "continue", "decltype", "default", "delete", "do", "double", "dynamic_cast", "else", "enum",
    "explicit", "extern", "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable",
    "namespace", "new", "noexcept", "nullptr", "operator", "private", "protected", "public", "reinterpret_cast",
    "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast", "struct", "switch",
    "template", "this", "throw", "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using",
    "virtual", "void", "volatile", "while",
}
# What the return type of a function may carry that is not its type.
SPECIFIERS = {"static", "inline", "virtual", "constexpr", "explicit", "friend", "extern",
              "CALLBACK", "WINAPI", "APIENTRY", "__stdcall", "__cdecl"}
TYPE_KEYWORDS = {"auto", "bool", "char", "double", "float", "int", "long", "short", "signed", "unsigned", "void"}
NEGATION = {"<": ">=", "<=": ">", ">": "<=", ">=": "<", "==": "!=", "!=": "=="}
BOUNDARY = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
INTEGER = re.compile(r"^(0[xX][0-9a-fA-F]+|0|[1-9][0-9]*)([uUlL]*)$")


class Token:
    __slots__ = ("kind", "text", "start", "end", "line", "spaced")

    def __init__(self, kind, text, start, end, line, spaced):
        self.kind, self.text, self.start, self.end, self.line, self.spaced = kind, text, start, end, line, spaced


def preprocessor_lines(text):
    """Line numbers (1-based) of preprocessor directives, continuations included."""
    lines, inside = set(), False
    for number, line in enumerate(text.split("\n"), 1):
        if inside or line.lstrip().startswith("#"):
            lines.add(number)
            inside = line.rstrip().endswith("\\")
    return lines


def tokenize(text):
    skip = preprocessor_lines(text)
    tokens, pos, line, spaced = [], 0, 1, True
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if not m:  # a character the table does not know: step over it
            pos += 1
            continue
        kind = m.lastgroup
        if kind in ("ws", "comment"):
            spaced = True
        elif line not in skip:
            tokens.append(Token(kind, m.group(), pos, m.end(), line, spaced))
            spaced = False
        line += m.group().count("\n")
        pos = m.end()
    return tokens


def matching(tokens, i, open_, close):
    """Index of the bracket that closes tokens[i] (forwards) or opens it (backwards)."""
    step = 1 if tokens[i].text == open_ else -1
    depth = 0
    j = i
    while 0 <= j < len(tokens):
        t = tokens[j].text
        if t == open_:
            depth += step
        elif t == close:
            depth -= step
        if depth == 0:
            return j
        j += step
    return None


def frozen_tokens(tokens):
    """Indices inside static_assert(...) and extern "C" heads: never mutated."""
    frozen = set()
    for i, t in enumerate(tokens):
        if t.text == "static_assert" and i + 1 < len(tokens) and tokens[i + 1].text == "(":
            end = matching(tokens, i + 1, "(", ")") or i + 1
            frozen.update(range(i, end + 2))
    return frozen


TEMPLATE_INNER = {"::", ",", "*", "&", "(", ")", "<", ">", ">>", "...", "[", "]", "-", "+"}
TEMPLATE_FOLLOW = {"(", "{", "::", ")", ",", ";", "&", "*", ">", ">>", "...", "[", "&&", "=", "}"}


def template_brackets(tokens):
    """Indices of < > >> tokens that open or close template argument lists."""
    marked = set()
    for i, t in enumerate(tokens):
        if t.text != "<" or i == 0:
            continue
        prev = tokens[i - 1]
        if prev.text == "operator":
            marked.add(i)
            continue
        if prev.kind != "ident" or (prev.text in KEYWORDS and prev.text not in
                                    ("template", "static_cast", "const_cast", "reinterpret_cast", "dynamic_cast")):
            continue
        depth, parens, j = 1, 0, i + 1
        while j < len(tokens) and j < i + 60:
            x = tokens[j]
            if x.kind not in ("ident", "number") and x.text not in TEMPLATE_INNER:
                break
            if x.text == "(":
                parens += 1
            elif x.text == ")":
                parens -= 1
                if parens < 0:
                    break
            elif parens == 0 and x.text in ("<", ">", ">>"):
                depth += {"<": 1, ">": -1, ">>": -2}[x.text]
                if depth <= 0:
                    after = tokens[j + 1] if j + 1 < len(tokens) else None
                    if prev.text == "template" or after is None or after.kind == "ident" or \
                            after.text in TEMPLATE_FOLLOW:
                        marked.update((i, j))
                    break
            j += 1
    return marked


def statement_starts(tokens):
    """Indices where a statement may begin (after ; { } a label, or a control head)."""
    starts = set()
    for i in range(1, len(tokens)):
        p = tokens[i - 1].text
        if p in (";", "{", "}", "else", "do"):
            starts.add(i)
        elif p == ":" and i >= 2:
            k = i - 2  # a case or default label, or an access specifier
            while k >= 0 and tokens[k].text not in (";", "{", "}", ":"):
                k -= 1
            if tokens[k + 1].text in ("case", "default", "public", "private", "protected"):
                starts.add(i)
        elif p == ")":
            o = matching(tokens, i - 1, "(", ")")
            if o and o > 0 and tokens[o - 1].text in ("if", "while", "for"):
                starts.add(i)
    return starts


def call_chain_end(tokens, i):
    """If tokens[i:] is a call chain (a.b->c(...).d(...)), the index after its last ')'."""
    j = i
    if tokens[j].text == "::":
        j += 1
    called = False
    while j < len(tokens):
        t = tokens[j]
        if t.kind != "ident" or t.text in KEYWORDS:
            return None
        j += 1
        if j < len(tokens) and tokens[j].text == "(":
            close = matching(tokens, j, "(", ")")
            if close is None:
                return None
            j, called = close + 1, True
        if j < len(tokens) and tokens[j].text in (".", "->", "::"):
            j += 1
            continue
        return j if called else None
    return None


def arg_kind(arg):
    texts = [t.text for t in arg]
    if len(arg) == 1:
        t = arg[0]
        if t.kind == "number":
            return "int" if INTEGER.match(t.text) else "number"
        if t.kind in ("string", "char"):
            return t.kind
        if t.text in ("true", "false", "TRUE", "FALSE"):
            return "bool"
        if t.text in ("nullptr", "NULL"):
            return "null"
        if t.kind == "ident" and t.text not in KEYWORDS:
            return "CAPS" if re.fullmatch(r"[A-Z][A-Z0-9_]+", t.text) else "name"
        return None
    address = texts[0] == "&"
    rest = arg[1:] if address else arg
    if not rest or len(rest) % 2 == 0:
        return None
    for n, t in enumerate(rest):
        if n % 2 == 0 and (t.kind != "ident" or t.text in KEYWORDS and t.text != "this"):
            return None
        if n % 2 == 1 and t.text not in (".", "->", "::"):
            return None
    return "&name" if address else "name"


def function_head(tokens, brace):
    """For a '{' that opens a function body: the statement to insert, else None."""
    j = brace - 1
    while j >= 0 and tokens[j].text in ("const", "noexcept", "override", "final"):
        j -= 1
    if j < 0 or tokens[j].text != ")":
        return None
    o = matching(tokens, j, "(", ")")
    if o is None or o == 0:
        return None
    name = o - 1
    if tokens[name].kind != "ident" or tokens[name].text in KEYWORDS:
        return None
    k = name - 1
    if k >= 0 and tokens[k].text in (",", ":") and not (tokens[k].text == ":" and tokens[k - 1].text in
                                                         ("public", "private", "protected")):
        # A constructor's initializer list: back over its items to the ':'.
        while k >= 0 and tokens[k].text == ",":
            close = k - 1
            if tokens[close].text not in (")", "}"):
                return None
            o2 = matching(tokens, close, "(" if tokens[close].text == ")" else "{", tokens[close].text)
            if o2 is None:
                return None
            k = o2 - 2
        if k < 0 or tokens[k].text != ":" or tokens[k - 1].text != ")":
            return None
        return "return;"
    while k >= 1 and tokens[k].text == "::":  # Class::Name, Class::~Class
        k -= 2
    if k >= 0 and tokens[k].text == "~":
        return "return;"
    if k + 1 < name and tokens[k + 1].text == tokens[name].text:  # Class::Class
        return "return;"
    kind = []
    while k >= 0 and tokens[k].text not in (";", "{", "}", ":", ")"):
        kind.insert(0, tokens[k].text)
        k -= 1
    if ">" in kind and "template" in kind:  # template <...> T f()
        kind = kind[len(kind) - kind[::-1].index(">"):]
    kind = [w for w in kind if w not in SPECIFIERS]
    if not kind:
        return None
    if kind == ["void"]:
        return "return;"
    if kind[-1] in ("&", "&&") or "auto" in kind:
        return None
    if kind == ["bool"]:
        return "return false;"
    if kind == ["BOOL"]:
        return "return FALSE;"
    return "return {};"


LEVEL_STOP = {";", "{", "}", ",", "?", ":", "=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>=",
              "return"}


def logic_swap(tokens, i):
    """The edits that turn the && or || at i into the other, with the
    parentheses C++ reads the result with made explicit where the chain then
    mixes both (a && b && c becoming (a && b) || c): a mix without them does
    not compile here (-Wparentheses)."""
    def bound(j, step, opens, closes):
        depth = 0
        while 0 <= j < len(tokens):
            x = tokens[j].text
            if x in opens:
                depth += 1
            elif x in closes:
                if depth == 0:
                    break
                depth -= 1
            elif depth == 0 and x in LEVEL_STOP:
                break
            j += step
        return j - step

    first = bound(i - 1, -1, (")", "]"), ("(", "["))
    last = bound(i + 1, 1, ("(", "["), (")", "]"))
    ops, depth = [], 0
    for n in range(first, last + 1):
        x = tokens[n].text
        depth += x in ("(", "[") and 1 or x in (")", "]") and -1 or 0
        if depth == 0 and x in ("&&", "||"):
            ops.append(n)
    new = {n: tokens[n].text for n in ops}
    new[i] = "||" if tokens[i].text == "&&" else "&&"
    edits = [(tokens[i].start, tokens[i].end, new[i])]
    if len(set(new.values())) == 2:
        bounds = [first] + [n + 1 for n in ops]  # each term's first token
        ends = [n - 1 for n in ops] + [last]
        group = 0
        for term in range(1, len(ops) + 1):
            if new[ops[term - 1]] == "||":  # a group of terms joined by && ends before this ||
                if term - 1 > group:
                    edits += [(tokens[bounds[group]].start, tokens[bounds[group]].start, "("),
                              (tokens[ends[term - 1]].end, tokens[ends[term - 1]].end, ")")]
                group = term
        if len(ops) > group:
            edits += [(tokens[bounds[group]].start, tokens[bounds[group]].start, "("),
                      (tokens[last].end, tokens[last].end, ")")]
    return edits


def declared_types(tokens):
    """{name: {types}} from the declarations in a file (HWND owner, const char* text)."""
    types = {}
    for n in range(1, len(tokens) - 1):
        t = tokens[n]
        if t.kind != "ident" or t.text in KEYWORDS or tokens[n + 1].text not in (",", ")", "=", ";", "[", "{"):
            continue
        stars, k = 0, n - 1
        while k >= 0 and tokens[k].text in ("*", "&", "const"):
            stars += tokens[k].text == "*"
            k -= 1
        base = tokens[k] if k >= 0 else None
        if base is None or base.kind != "ident" or base.text in KEYWORDS and base.text not in TYPE_KEYWORDS:
            continue
        types.setdefault(t.text, set()).add(base.text + "*" * stars)
    return types


class Fault:
    """One mutation: edits (start, end, new text) of one file's text."""

    def __init__(self, path, line, rule, edits):
        self.path, self.line, self.rule, self.edits = path, line, rule, edits
        self.id = None

    def apply(self, text):
        for start, end, new in sorted(self.edits, reverse=True):
            text = text[:start] + new + text[end:]
        return text

    def lines(self, text):
        """The original lines the fault touches and what they become."""
        first = min(s for s, _, _ in self.edits)
        last = max(e for _, e, _ in self.edits)
        a = text.rfind("\n", 0, first) + 1
        b = text.find("\n", last)
        b = len(text) if b < 0 else b
        before = text[a:b]
        growth = sum(len(n) - (e - s) for s, e, n in self.edits)
        after = self.apply(text)[a:b + growth]
        return before, after


def sites(path, text):
    """{line: {rule: [[variant faults of one site], ...]}} for one source file."""
    tokens = tokenize(text)
    frozen = frozen_tokens(tokens)
    templates = template_brackets(tokens)
    name_types = declared_types(tokens)
    found = {}

    def add(rule, anchor, variants):
        if anchor in frozen or not variants:
            return
        line = tokens[anchor].line
        found.setdefault(line, {}).setdefault(rule, []).append(
            [Fault(path, line, rule, edits) for edits in variants])

    for i, t in enumerate(tokens):
        prev = tokens[i - 1] if i else None
        after = tokens[i + 1] if i + 1 < len(tokens) else None
        if prev is not None and prev.text == "operator":
            continue
        if t.text in NEGATION and i not in templates:
            variants = [NEGATION[t.text]] + ([BOUNDARY[t.text]] if t.text in BOUNDARY else [])
            add("comparison", i, [[(t.start, t.end, v)] for v in variants])
        elif t.text == "!":
            add("not", i, [[(t.start, t.end, "")]])
        elif t.kind == "number":
            m = INTEGER.match(t.text)
            if m:
                digits, suffix = m.groups()
                hexa = digits[:2].lower() == "0x"
                value, start = int(digits, 16 if hexa else 10), t.start
                before = tokens[i - 2] if i >= 2 else None
                if prev is not None and prev.text == "-" and not (
                        before is not None and (before.kind == "number" or before.text in (")", "]") or
                                                before.kind == "ident" and before.text not in KEYWORDS)):
                    value, start = -value, prev.start  # a negative literal: -1 becomes 0 or -2
                variants = []
                for v in (value + 1, value - 1):
                    if hexa and v >= 0:
                        upper = digits[2:] == digits[2:].upper()
                        literal = digits[:2] + format(v, "X" if upper else "x").zfill(len(digits) - 2)
                    else:
                        literal = str(v)
                    variants.append([(start, t.end, literal + suffix)])
                add("constant", i, variants)
        elif t.text == "[" and prev is not None and (prev.kind == "ident" and prev.text not in KEYWORDS or
                                                      prev.text in (")", "]")):
            close = matching(tokens, i, "[", "]")
            before = tokens[i - 2] if i >= 2 else None
            declared = before is not None and (before.text in (">", "*") or before.kind == "ident" and (
                before.text not in KEYWORDS or before.text in TYPE_KEYWORDS))  # char name[N]: a size
            if close and close > i + 1 and not (close == i + 2 and tokens[i + 1].kind == "number") \
                    and tokens[i + 1].text != "[" and not declared:
                end = tokens[close - 1].end
                add("index", i, [[(end, end, " + 1")], [(end, end, " - 1")]])
        elif t.text in ("&&", "||"):
            reference = t.text == "&&" and prev is not None and prev.kind == "ident" and not t.spaced
            if not reference:
                add("logic", i, [logic_swap(tokens, i)])
        if t.text == "(" and prev is not None and prev.kind == "ident" and prev.text not in KEYWORDS:
            close = matching(tokens, i, "(", ")")
            follow = tokens[close + 1].text if close is not None and close + 1 < len(tokens) else ""
            if close is not None and follow not in ("{", "const", "override", "noexcept", ":"):
                args, current, depth = [], [], 0
                for x in tokens[i + 1:close]:
                    if x.text in ("(", "[", "{"):
                        depth += 1
                    elif x.text in (")", "]", "}"):
                        depth -= 1
                    if x.text == "," and depth == 0:
                        args.append(current)
                        current = []
                    else:
                        current.append(x)
                args.append(current)
                kinds = [arg_kind(a) if a else None for a in args]
                for n, a in enumerate(args):  # a name's type, where the file declares it once
                    if kinds[n] in ("name", "&name") and len(a) <= 2 and len(name_types.get(a[-1].text, ())) == 1:
                        kinds[n] += ":" + next(iter(name_types[a[-1].text]))
                variants = []
                for a in range(len(args)):
                    for b in range(a + 1, len(args)):
                        if kinds[a] and kinds[a] == kinds[b] and \
                                [x.text for x in args[a]] != [x.text for x in args[b]]:
                            sa, ea = args[a][0].start, args[a][-1].end
                            sb, eb = args[b][0].start, args[b][-1].end
                            variants.append([(sa, ea, text[sb:eb]), (sb, eb, text[sa:ea])])
                if variants:
                    add("swap-args", i, variants)
        if t.text == "{" and after is not None and after.text != "}":
            statement = function_head(tokens, i)
            if statement and not (statement == "return;" and after.text == "return"):
                add("return-early", i, [[(t.end, t.end, " " + statement)]])
    for s in sorted(statement_starts(tokens)):
        end = call_chain_end(tokens, s)
        if end is not None and end < len(tokens) and tokens[end].text == ";":
            prev = tokens[s - 1].text
            add("drop-call", s, [[(tokens[s].start, tokens[end].end, ";" if prev in (";", "{", "}", ":") else "{}")]])
    return found


def product_folders(root):
    """The folders the product's library is globbed from, as the top CMakeLists.txt lists them."""
    cmake = (root / "CMakeLists.txt").read_text()
    m = re.search(r"file\(GLOB\s+QL_SOURCES\s+(?:CONFIGURE_DEPENDS\s+)?([^)]*)\)", cmake)
    if not m:
        raise SystemExit("CMakeLists.txt: no file(GLOB QL_SOURCES ...) to take the product folders from")
    return [p.split("/")[0] for p in m.group(1).split() if p.endswith("*.cpp")]


def source_files(root, folders):
    return sorted(p.relative_to(root).as_posix() for f in folders for p in (root / f).glob("*.cpp"))


def read(root, rel):
    return (root / rel).read_text(encoding="latin-1")


def fingerprint(root, files):
    """What the draw depends on: the sources and these rules."""
    h = hashlib.sha1(pathlib.Path(__file__).read_bytes())
    for rel in files:
        h.update(rel.encode() + b"\0" + (root / rel).read_bytes())
    return h.hexdigest()[:12]


def pool(root, files):
    """{(file, line): {rule: [site variants, ...]}} over all files."""
    places = {}
    for rel in files:
        for line, rules in sites(rel, read(root, rel)).items():
            places[(rel, line)] = rules
    return places


def draw(places, rng):
    """The faults in drawn order, ids F001, F002, ...; endless until the pool is empty."""
    keys = sorted(places)
    n = 0
    while keys:
        k = rng.randrange(len(keys))
        rules = places[keys[k]]
        rule = sorted(rules)[rng.randrange(len(rules))]
        site_list = rules[rule]
        s = rng.randrange(len(site_list))
        variants = site_list[s]
        fault = variants.pop(rng.randrange(len(variants)))
        if not variants:
            site_list.pop(s)
        if not site_list:
            del rules[rule]
        if not rules:
            keys.pop(k)
        n += 1
        fault.id = f"F{n:03d}"
        yield fault
