#!/usr/bin/env python3
"""Checks the language files (de.lang, en.lang) before they ship.

Usage: check_language_files.py DE_LANG EN_LANG

The program reads these files with its own small XML reader, byte for byte in
Windows-1252, and looks elements up by name. This script keeps the files inside
the subset that reader handles well and checks that every form, component,
message and country the program asks for is there. It exits with 1 and lists
the problems when a file does not pass.
"""

import re
import sys
import xml.etree.ElementTree as ElementTree

# The three-letter codes of the built-in country table, in table order.
COUNTRY_CODES = """
AFG ALA ALB DZA ASM AND AGO AIA ATA ATG ARG ARM ABW ASC AUS AUT AZE BHS BHR BGD
BRB BLR BEL BLZ BEN BMU BTN BOL BIH BWA BVT BRA IOT BRN BGR BFA BDI KHM CMR CAN
CPV CYM CAF TCD CHL CHN CXR CCK COL COM COG COD COK CRI CIV HRV CUB CYP CZE DNK
DGA DJI DMA DOM TMP ECU EGY SLV GNQ ERI EST ETH FLK FRO FJI FIN FRA GUF GAB GMB
GEO DEU GHA GIB GRC GRL GRD GLP GUM GTM GGY GIN GNB GUY HTI HND HKG HUN ISL IND
IDN IRN IRQ IRL IMN ISR ITA JAM JPN JEY JOR KAZ KEN KIR PRK KOR KWT KGZ LAO LVA
LBN LSO LBR LBY LIE LTU LUX MAC MKD MDG MWI MYS MDV MLI MLT MHL MTQ MRT MUS MYT
MEX FSM MDA MCO MNG MSR MAR MOZ MMR NAM NRU NPL NLD ANT NCL NZL NIC NER NGA NIU
NFK MNP NOR OMN PAK PLW PSE PAN PNG PRY PER PHL POL PYF PRT PRI QAT REU ROU RUS
RWA SHN KNA LCA SPM WSM SMR STP SAU SEN SCG SYC SLE SGP SVK SVN SLB SOM ZAF ESP
LKA VCT SDN SUR SWZ SWE CHE SYR TWN TJK TZA THA TLS TGO TKL TON TTO TAA TUN TUR
TKM TCA TUV UGA UKR ARE GBR USA URY UZB VUT VAT VEN VNM VGB VIR WLF ESH YEM ZMB
ZWE
""".split()

PLACEHOLDERS = ("%sAPP_NAME", "%sVersion", "%sBREAK", "%sPRODUCT_SHORTNAME", "%sFREESMS")

MENU_ITEMS = ("menuitemSend", "menuitemReminder", "menuitemFile", "menuitemContacts",
              "menuitemCredits", "menuitemUpdate", "menuitemOptions", "menuitemExit")
SEPARATORS = ("menuitemBreak1", "menuitemBreak2", "menuitemBreak3")

# form -> component ("" for the form itself) -> property -> placeholders the
# program fills in that text. Every listed property must be present.
REQUIRED = {
    "formMain": {
        "": {"Caption": {"%sAPP_NAME"}},
        **{item: {"Caption": set()} for item in MENU_ITEMS + SEPARATORS},
        "tray": {"Hint": {"%sPRODUCT_SHORTNAME"}},
    },
    "formOptions": {
        "": {"Caption": {"%sAPP_NAME", "%sVersion"}},
        "groupboxLogin": {"Caption": set()},
        "labelLogin": {"Caption": {"%sBREAK"}},
        "labelLand": {"Caption": set()},
        "labelHandyNr": {"Caption": set()},
        "labelPasswort": {"Caption": set()},
        "linkRegister": {"Caption": {"%sPRODUCT_SHORTNAME", "%sFREESMS"}},
        "groupboxExtended": {"Caption": set()},
        # CaptionLogIn: the wording where the program starts at log-in (Linux).
        "checkboxAutostart": {"Caption": {"%sAPP_NAME"}, "CaptionLogIn": {"%sAPP_NAME"}},
        "checkboxOnlineStatus": {"Caption": set(), "Hint": {"%sAPP_NAME"}},
        "radioLanguage": {"Caption": set()},
        "groupboxIE": {"Caption": set()},
        "checkboxIEIntegration": {"Caption": set()},
        "buttonOk": {"Caption": set()},
    },
    "formUpdate": {
        "": {"Caption": {"%sAPP_NAME"}},
        "labelCaptionActual": {"Caption": set()},
        "labelCaptionInstalled": {"Caption": set()},
        "labelHistory": {"Caption": set()},
        "buttonUpdate": {"Caption": set()},
        "buttonCancel": {"Caption": set()},
        "linkDownload": {"Caption": set()},
    },
}

# The dialogs whose captions' mnemonics ("&x") move the focus or press a
# button: each letter names one control of its dialog, and these controls
# have one (a label's mnemonic reaches the field it names).
MNEMONIC_DIALOGS = {
    "formOptions": ("labelLand", "labelHandyNr", "labelPasswort", "checkboxAutostart", "checkboxOnlineStatus",
                    "radioLanguage", "buttonOk"),
    "formUpdate": ("labelHistory", "buttonUpdate", "buttonCancel"),
}
MNEMONIC = re.compile(r"&(.)")

# Texts the update dialog sets itself after translating; a language file entry
# for them would overwrite the version numbers shown.
RUNTIME_COMPONENTS = {"formUpdate": ("labelVersionActual", "labelVersionInstalled",
                                     "labelUpdate", "memoHistory")}

MESSAGES = {
    "notOnline": {"%sAPP_NAME"},
    "noUpdate": {"%sVersion"},
    "messageTray": {"%sBREAK", "%sAPP_NAME"},
    "getUpdate": set(),
    "getUpdateLink": set(),
    "noTrayHost": {"%sAPP_NAME"},
    "notVerified": set(),
    "checkFailed": set(),
}

TOP_LEVEL = tuple(REQUIRED) + ("messages", "countries")

ATTRIBUTE = re.compile(r'\s+([A-Za-z0-9_-]+)="([^"]*)"')
START_TAG = re.compile(r'<([A-Za-z_][A-Za-z0-9_]*)((?:\s+[A-Za-z0-9_-]+="[^"]*")*)\s*(/?)>')
END_TAG = re.compile(r"</([A-Za-z_][A-Za-z0-9_]*)>")
ENTITY = re.compile(r"&(?:amp|lt|gt|apos|quot|#[0-9]+|#[xX][0-9A-Fa-f]+);")
NAMED_ENTITIES = {"amp": "&", "lt": "<", "gt": ">", "apos": "'", "quot": '"'}


class Element:
    def __init__(self, name, attributes, line):
        self.name = name
        self.attributes = attributes  # list of (name, decoded value)
        self.line = line
        self.children = []
        self.texts = []  # decoded text runs directly inside this element

    def attribute(self, name):
        found = [v for n, v in self.attributes if n.upper() == name.upper()]
        return found[-1] if found else None

    def text(self):
        return "".join(self.texts)

    def child_elements(self, name=None):
        return [c for c in self.children
                if name is None or c.name.upper() == name.upper()]

    def walk(self):
        yield self
        for child in self.children:
            yield from child.walk()


class FileChecker:
    def __init__(self, path):
        self.path = path
        self.problems = []
        self.text = ""
        self.root = None

    def problem(self, message, line=None):
        where = f"{self.path}:{line}" if line else self.path
        self.problems.append(f"{where}: {message}")

    def line_of(self, pos):
        return self.text.count("\n", 0, pos) + 1

    # --- bytes and lexical form -------------------------------------------

    def check_bytes(self):
        try:
            with open(self.path, "rb") as f:
                data = f.read()
        except OSError as e:
            self.problem(f"cannot read: {e}")
            return False
        try:
            self.text = data.decode("cp1252")
        except UnicodeDecodeError as e:
            self.problem(f"not Windows-1252 text: {e}")
            return False
        if any(b >= 0x80 for b in data):
            try:
                data.decode("utf-8")
                self.problem("the file looks UTF-8 encoded; it must be Windows-1252")
            except UnicodeDecodeError:
                pass
        if re.search(r"(?<!\r)\n|\r(?!\n)", self.text):
            self.problem("line ends must all be CR LF")
        if not re.match(r'<\?xml [^\s]', self.text):
            self.problem('the file must begin with the declaration "<?xml " (one space after "xml")')
        elif not re.match(r'<\?xml version="1\.0" encoding="windows-1252"\?>', self.text):
            self.problem('declaration must read <?xml version="1.0" encoding="windows-1252"?>')
        try:
            ElementTree.fromstring(data)
        except ElementTree.ParseError as e:
            self.problem(f"not well-formed XML: {e}")
        return True

    def decode(self, raw, pos):
        """Resolves entities the way the program's reader does, and rejects raw '&'."""
        out = []
        i = 0
        while i < len(raw):
            if raw[i] != "&":
                out.append(raw[i])
                i += 1
                continue
            m = ENTITY.match(raw, i)
            if not m:
                self.problem('raw "&" (write "&amp;")', self.line_of(pos + i))
                out.append("&")
                i += 1
                continue
            body = m.group()[1:-1]
            if body.startswith("#"):
                number = int(body[2:], 16) if body[1:2] in "xX" else int(body[1:])
                if not 0 < number < 256:
                    self.problem(f"character reference {m.group()} is not a single byte",
                                 self.line_of(pos + i))
                out.append(bytes([number & 0xFF]).decode("cp1252", "replace"))
            else:
                out.append(NAMED_ENTITIES[body])
            i = m.end()
        return "".join(out)

    def parse(self):
        """Reads the file in the plain subset used by the language files: one
        declaration, comments, elements with double-quoted attributes, text."""
        text = self.text
        pos = 0
        stack = []
        m = re.match(r"<\?xml[^>]*\?>", text)
        if m:
            pos = m.end()
        while pos < len(text):
            lt = text.find("<", pos)
            run_end = len(text) if lt < 0 else lt
            run = text[pos:run_end]
            if run.strip():
                if not stack:
                    self.problem("text outside the root element", self.line_of(pos))
                else:
                    stack[-1].texts.append(self.decode(run, pos))
            elif stack and not stack[-1].children:
                stack[-1].texts.append(run)
            if lt < 0:
                break
            pos = lt
            line = self.line_of(pos)
            if text.startswith("<!--", pos):
                end = text.find("-->", pos + 4)
                if end < 0:
                    self.problem("comment not closed", line)
                    return False
                if "--" in text[pos + 4:end] or text[end - 1] == "-":
                    self.problem('"--" inside a comment', line)
                pos = end + 3
                continue
            if text.startswith("</", pos):
                m = END_TAG.match(text, pos)
                if not m:
                    self.problem("malformed end tag (no blanks allowed)", line)
                    return False
                if not stack or stack[-1].name != m.group(1):
                    self.problem(f"end tag </{m.group(1)}> does not match", line)
                    return False
                stack.pop()
                pos = m.end()
                if not stack:
                    if text[pos:].strip():
                        self.problem("content after the root element", self.line_of(pos))
                    return True
                continue
            m = START_TAG.match(text, pos)
            if not m:
                self.problem("unsupported markup (only plain elements, attributes in "
                             "double quotes and comments are used)", line)
                return False
            if stack and stack[-1].texts and stack[-1].texts[-1].strip():
                self.problem(f"text mixed with the element <{m.group(1)}>", line)
            attributes = []
            attribute_start = m.start(2)
            for a in ATTRIBUTE.finditer(m.group(2)):
                raw = a.group(2)
                value_pos = attribute_start + a.start(2)
                if "<" in raw or ">" in raw:
                    self.problem(f'"<" or ">" in the value of {a.group(1)} (write &lt; &gt;)',
                                 self.line_of(value_pos))
                attributes.append((a.group(1), self.decode(raw, value_pos)))
            element = Element(m.group(1), attributes, line)
            if stack:
                stack[-1].children.append(element)
                stack[-1].texts = [t for t in stack[-1].texts if t.strip()]
            elif self.root is None:
                self.root = element
            if not m.group(3):
                stack.append(element)
            elif not stack:
                return True
            pos = m.end()
        if stack:
            self.problem(f"element <{stack[-1].name}> not closed", stack[-1].line)
        return not stack and self.root is not None

    # --- content -------------------------------------------------------------

    def find_deep(self, name):
        hits = [e for e in self.root.walk() if e.name.upper() == name.upper()]
        if len(hits) > 1:
            self.problem(f"<{name}> appears {len(hits)} times; only the first is used",
                         hits[1].line)
        return hits[0] if hits else None

    def check_placeholders(self, where, value, allowed, line):
        for i in (m.start() for m in re.finditer("%s", value)):
            name = next((p for p in PLACEHOLDERS if value.startswith(p, i)), None)
            if name is None:
                self.problem(f"{where}: unknown placeholder at {value[i:i + 16]!r}", line)
            elif name not in allowed:
                self.problem(f"{where}: {name} is not filled in there", line)

    def check_forms(self):
        for form_name, components in REQUIRED.items():
            form = self.find_deep(form_name)
            if form is None:
                self.problem(f"<{form_name}> is missing")
                continue
            seen = set()
            for child in form.child_elements():
                if child.name.upper() in seen:
                    self.problem(f"<{child.name}> given twice in <{form_name}>", child.line)
                seen.add(child.name.upper())
            for runtime in RUNTIME_COMPONENTS.get(form_name, ()):
                for child in form.child_elements(runtime):
                    self.problem(f"<{runtime}> is set by the program and must not be given",
                                 child.line)
            for component_name, properties in components.items():
                element = form
                if component_name:
                    found = form.child_elements(component_name)
                    if not found:
                        self.problem(f"<{component_name}> is missing in <{form_name}>")
                        continue
                    element = found[0]
                for prop, allowed in properties.items():
                    value = element.attribute(prop)
                    where = f"{component_name or form_name}.{prop}"
                    if not value:
                        self.problem(f"{where} is missing or empty", element.line)
                        continue
                    self.check_placeholders(where, value, allowed, element.line)
            # Only the first "\n" of an attribute becomes a line break.
            for element in form.walk():
                for name, value in element.attributes:
                    if value.count("\\n") > 1:
                        self.problem(f"{element.name}.{name} holds more than one \\n", element.line)
        self.check_menu()
        self.check_language_items()
        self.check_mnemonics()

    @staticmethod
    def mnemonic_of(caption):
        """The letter after the single "&" of a caption, in lower case; None for none."""
        for match in MNEMONIC.finditer(caption.replace("&&", "")):
            return match.group(1).lower()
        return None

    def check_mnemonics(self):
        for form_name, required in MNEMONIC_DIALOGS.items():
            form = self.find_deep(form_name)
            if form is None:
                continue
            owners = {}
            for child in form.child_elements():
                # A control's wordings are alternatives (CaptionLogIn stands in
                # for Caption); a radio group's items are controls of their own.
                captions = [(child.name, v) for n, v in child.attributes if n.upper().startswith("CAPTION")]
                for items in child.child_elements("Items"):
                    captions += [("%s item %s" % (child.name, item.attribute("Index")), item.attribute("Value") or "")
                                 for item in items.child_elements("Item")]
                letters = {}
                for owner, caption in captions:
                    letter = self.mnemonic_of(caption)
                    if letter is not None:
                        letters.setdefault(owner, set()).add(letter)
                if child.name in required and not letters:
                    self.problem(f"{form_name}.{child.name} has no mnemonic", child.line)
                for owner, owner_letters in letters.items():
                    for letter in owner_letters:
                        if letter in owners and owners[letter] != owner:
                            self.problem(f"mnemonic '{letter}' of {form_name}.{owner} is already "
                                         f"{owners[letter]}'s", child.line)
                        owners.setdefault(letter, owner)
            for name in required:
                if not form.child_elements(name):
                    self.problem(f"<{name}> is missing in <{form_name}>")

    def check_menu(self):
        form = self.find_deep("formMain")
        if form is None:
            return
        keys = {}
        for item in MENU_ITEMS:
            found = form.child_elements(item)
            caption = found[0].attribute("Caption") if found else None
            if not caption:
                continue
            marks = [m.group(1) for m in re.finditer(r"&(.)", caption.replace("&&", ""))]
            if len(marks) != 1:
                self.problem(f"{item}.Caption needs exactly one accelerator (&amp;)", found[0].line)
                continue
            key = marks[0].upper()
            if key in keys:
                self.problem(f"{item} and {keys[key]} share the accelerator {key}", found[0].line)
            keys[key] = item
        for item in SEPARATORS:
            found = form.child_elements(item)
            if found and found[0].attribute("Caption") != "-":
                self.problem(f'{item}.Caption must be "-"', found[0].line)

    def check_language_items(self):
        form = self.find_deep("formOptions")
        radio = form.child_elements("radioLanguage") if form is not None else []
        items = radio[0].child_elements("Items") if radio else []
        if not items:
            self.problem("radioLanguage has no <Items>")
            return
        values = {}
        for item in items[0].child_elements():
            index, value = item.attribute("Index"), item.attribute("Value")
            if index not in ("0", "1") or not value or "\\n" in value:
                self.problem("an item of radioLanguage needs Index 0 or 1 and a Value", item.line)
                continue
            values[index] = value
        if set(values) != {"0", "1"}:
            self.problem("radioLanguage items need Index 0 (German) and 1 (English)", items[0].line)

    def check_keyed_text(self, where, element):
        value = element.text()
        if element.children:
            self.problem(f"{where} must hold plain text only", element.line)
        if not value:
            self.problem(f"{where} is empty", element.line)
        elif value != value.strip():
            self.problem(f"{where} has blanks around its text", element.line)
        if "\\n" in value:
            self.problem(f"{where}: \\n is not converted in texts (use %sBREAK where allowed)",
                         element.line)
        return value

    def check_messages(self):
        category = self.find_deep("messages")
        if category is None:
            self.problem("<messages> is missing")
            return
        for key, allowed in MESSAGES.items():
            found = category.child_elements(key)
            if len(found) != 1:
                self.problem(f"message {key} given {len(found)} times", category.line)
                continue
            value = self.check_keyed_text(f"message {key}", found[0])
            self.check_placeholders(f"message {key}", value, allowed, found[0].line)

    def check_countries(self):
        category = self.find_deep("countries")
        if category is None:
            self.problem("<countries> is missing")
            return
        entries = category.child_elements()
        names = [e.name.upper() for e in entries]
        for code in COUNTRY_CODES:
            if names.count(code) != 1:
                self.problem(f"country {code} given {names.count(code)} times", category.line)
        for entry in entries:
            if entry.name.upper() not in COUNTRY_CODES:
                self.problem(f"unknown country code {entry.name}", entry.line)
        if sorted(names) == sorted(COUNTRY_CODES) and names != COUNTRY_CODES:
            self.problem("countries are not in table order", category.line)
        for entry in entries:
            value = self.check_keyed_text(f"country {entry.name}", entry)
            # The country list splits its entries at "=" and the code column at "+".
            if any(c in value for c in "=+") or "%s" in value:
                self.problem(f"country {entry.name}: name must not hold '=', '+' or a placeholder",
                             entry.line)

    def run(self):
        if not self.check_bytes():
            return self.problems
        if not self.parse():
            if self.root is None:
                self.problem("no root element")
            self.root = None  # an incomplete tree would only add follow-up noise
            return self.problems
        for name in TOP_LEVEL:
            if not self.root.child_elements(name):
                self.problem(f"<{name}> is not a child of the root element")
        self.check_forms()
        self.check_messages()
        self.check_countries()
        return self.problems


def outline(root):
    """Form elements, components and attribute names, to compare the files."""
    shape = set()
    for form in REQUIRED:
        for element in root.walk():
            if element.name.upper() == form.upper():
                for e in element.walk():
                    shape.add((form, e.name, tuple(sorted(n for n, _ in e.attributes))))
                break
    return shape


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    assert len(COUNTRY_CODES) == 241 and len(set(COUNTRY_CODES)) == 241
    problems = []
    checkers = [FileChecker(path) for path in argv[1:]]
    for checker in checkers:
        problems += checker.run()
    if all(c.root is not None for c in checkers):
        a, b = (outline(c.root) for c in checkers)
        for form, name, attrs in sorted(a ^ b):
            problems.append(f"{form}/{name} {list(attrs)} differs between the two files")
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} problem(s)")
        return 1
    print(f"language files ok: {', '.join(argv[1:])}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
