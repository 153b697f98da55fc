#!/usr/bin/env python3
"""Stand-in of the translation server of the VQD edition.

A real HTTP server on 127.0.0.1 (standard library only) that speaks the
server's form posts and SOAP 1.1 requests: directions, templates, text and
dictionary translation, file and HTML jobs started and polled to their end,
and the stop operation. It translates word by word with the word lists of
the kernel stand-in (its data folder).

Usage:
  vqd_server.py --port N --data KERNEL_DATA_DIR [--extra EXTRA_TEMPLATES]
                [--switches FILE] [--log FILE] [--ready FILE]

--ready names a file written once the server listens: "<pid> <port>".
--switches names a JSON file read at every request (see README.md); a
missing or unreadable file means no switch is set.
--log names a file that gets one JSON line per request: the operation, its
form fields or SOAP values, the SOAPAction and Content-Type headers.
"""

import argparse
import base64
import html
import json
import os
import re
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from xml.etree import ElementTree

SERVICE_NS = "http://norvasoft.example/Services/"
SOAP_NS = "http://schemas.xmlsoap.org/soap/envelope/"
FORM_OPERATIONS = ("TranslateText", "TranslateTextWithED", "GetDirections", "GetTemplates",
                   "GetTranslateFileResult", "StopTanslating")
SOAP_OPERATIONS = ("StartTranslateFile", "StartTranslateHtmlFile")
# Part-of-speech numbers of the dictionary answer: the first word list
# column's word class is not known, so every entry is a noun (1).
NOUN = 1


# --- data -------------------------------------------------------------------

def data_lines(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if line.strip() and not line.startswith("#"):
                yield line


def word_rows(path):
    return [line.split("|") for line in data_lines(path)]


LANGUAGE_COLUMN = {1: 0, 2: 1, 4: 2}


class Data:
    """Directions, templates and word lists of the kernel stand-in."""

    def __init__(self, folder, extra):
        self.directions = []  # dicts: id (int), name, templates [dict id, name, words]
        general = word_rows(os.path.join(folder, "lexicon.txt"))
        for line in data_lines(os.path.join(folder, "directions.txt")):
            hex_id, name = line.split("|")
            self.directions.append({"id": int(hex_id, 16), "name": name, "templates": []})
        template_lines = list(data_lines(os.path.join(folder, "templates.txt")))
        if extra and os.path.exists(extra):
            template_lines += list(data_lines(extra))
        word_files = {}
        for line in template_lines:
            hex_id, tpl_id, tpl_name, words_file = line.split("|")
            direction = self.find(int(hex_id, 16))
            if direction is None:
                continue
            source = LANGUAGE_COLUMN[direction["id"] & 0xFFFF]
            target = LANGUAGE_COLUMN[direction["id"] >> 16]
            rows = []
            if words_file:
                if words_file not in word_files:
                    word_files[words_file] = word_rows(os.path.join(folder, words_file))
                rows += word_files[words_file]
            rows += general
            words = {}
            for row in rows:
                if len(row) > max(source, target):
                    words.setdefault(row[source].lower(), row[target])
            direction["templates"].append({"id": tpl_id, "name": tpl_name, "words": words})

    def find(self, dir_id):
        for d in self.directions:
            if d["id"] == dir_id:
                return d
        return None

    def words(self, dir_id_text, template_name):
        try:
            direction = self.find(int(dir_id_text))
        except ValueError:
            direction = None
        if direction is None:
            return None
        for t in direction["templates"]:
            if t["name"] == template_name:
                return t["words"]
        return None


WORD = re.compile(r"\w+", re.UNICODE)


def in_case_of(source, target):
    letters = [c for c in source if c.isalpha()]
    upper = [c for c in letters if c.isupper()]
    if not target or not upper:
        return target
    if len(letters) > 1 and len(upper) == len(letters):
        return target.upper()
    if source[0].isalpha() and source[0].isupper():
        return target[:1].upper() + target[1:]
    return target


def translate_words(words, text):
    out = []
    pos = 0
    for m in WORD.finditer(text):
        out.append(text[pos:m.start()])
        pos = m.end()
        found = words.get(m.group(0).lower())
        if found is None:
            out.append(m.group(0))
        elif found == "":
            while pos < len(text) and text[pos] == " ":
                pos += 1
        else:
            out.append(in_case_of(m.group(0), found))
    out.append(text[pos:])
    return "".join(out)


TAG = re.compile(r"(<[^>]*>)")


def translate_html(words, page):
    # Text between tags is translated; tags, scripts and styles are kept.
    parts = TAG.split(page)
    out = []
    skip = False
    for part in parts:
        if part.startswith("<"):
            lower = part.lower()
            if lower.startswith("<script") or lower.startswith("<style"):
                skip = True
            elif lower.startswith("</script") or lower.startswith("</style"):
                skip = False
            out.append(part)
        else:
            out.append(part if skip else translate_words(words, part))
    return "".join(out)


CHARSETS = {"unicode": "utf-16", "utf-8": "utf-8", "windows-1251": "cp1251",
            "windows-1252": "cp1252", "koi8-r": "koi8_r"}


def translate_file_bytes(words, data, content_type):
    charset = "latin-1"
    m = re.search(r"charset=([\w-]+)", content_type or "")
    if m:
        charset = CHARSETS.get(m.group(1).lower(), "latin-1")
    if charset == "utf-16":
        bom = data.startswith(b"\xff\xfe")
        text = data.decode("utf-16-le", errors="replace")
        if bom:
            text = text[1:]
        return (b"\xff\xfe" if bom else b"") + translate_words(words, text).encode("utf-16-le")
    text = data.decode(charset, errors="replace")
    return translate_words(words, text).encode(charset, errors="replace")


def decode_page(data, content_type):
    if data.startswith(b"\xff\xfe") or "unicode" in (content_type or "").lower():
        text = data.decode("utf-16-le", errors="replace")
        return text[1:] if text.startswith("\ufeff") else text
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    return data.decode("utf-8", errors="replace")


# --- jobs -------------------------------------------------------------------

class Job:
    def __init__(self, result, duration):
        self.result = result
        self.start = time.monotonic()
        self.duration = duration
        self.stopped = False
        self.polls = 0


# --- the server -------------------------------------------------------------

class State:
    def __init__(self, args):
        self.data = Data(args.data, args.extra)
        self.switches_path = args.switches
        self.log_path = args.log
        self.jobs = {}
        self.next_job = 1
        self.lock = threading.Lock()

    def switches(self):
        if not self.switches_path:
            return {}
        try:
            with open(self.switches_path, encoding="utf-8-sig") as f:
                value = json.load(f)
            return value if isinstance(value, dict) else {}
        except (OSError, ValueError):
            return {}

    def log(self, record):
        if not self.log_path:
            return
        with self.lock:
            with open(self.log_path, "a", encoding="utf-8") as f:
                f.write(json.dumps(record, ensure_ascii=False) + "\n")


class El:
    """One element of a reply: a text or child elements, and attributes."""

    def __init__(self, name, text=None, children=None, attrs=None):
        self.name = name
        self.text = text
        self.children = list(children or [])
        self.attrs = list(attrs or [])


def xml_text(text):
    # A carriage return is written as a reference, as XML parsers turn a
    # literal one into a line feed.
    return html.escape(text, quote=False).replace("\r", "&#13;")


class Style:
    """How the replies are written: the element names this server gives,
    the SOAP prefix, indentation and comments between elements."""

    # Every name the server chooses itself, and another set of names for
    # them. "Direction" and "Template" (and their attributes) are the
    # protocol's own names and stay.
    RENAMED = {"Directions": "DirectionList", "Templates": "TemplateList", "string": "Translation",
               "StartTranslateFileResponse": "FileJobStarted", "StartTranslateFileResult": "Job",
               "StartTranslateHtmlFileResponse": "PageJobStarted", "StartTranslateHtmlFileResult": "Job",
               "TranslateFileResult": "JobState", "WorkId": "Ticket", "IsReady": "Done", "Progress": "Percent",
               "Status": "Code", "Message": "Note", "Result": "Content"}

    def __init__(self, switches):
        self.renamed = bool(switches.get("renameElements"))
        self.indent = bool(switches.get("whitespace"))
        self.comments = bool(switches.get("comments"))
        self.soap = "env" if self.renamed else "soap"
        # Renamed replies put the service's own elements under a prefix.
        self.service = "q:" if self.renamed else ""

    def name(self, name):
        return self.RENAMED.get(name, name) if self.renamed else name

    def write(self, el, level=0):
        attrs = "".join(' %s="%s"' % (k, html.escape(v)) for k, v in el.attrs)
        if el.text is not None:
            return "<%s%s>%s</%s>" % (el.name, attrs, xml_text(el.text), el.name)
        if not el.children:
            return "<%s%s/>" % (el.name, attrs)
        inner = []
        for i, child in enumerate(el.children):
            if self.indent:
                inner.append("\n" + "  " * (level + 1))
            if self.comments:
                inner.append("<!-- %d -->" % i)
            inner.append(self.write(child, level + 1))
        if self.indent:
            inner.append("\n" + "  " * level)
        return "<%s%s>%s</%s>" % (el.name, attrs, "".join(inner), el.name)

    def document(self, el):
        return '<?xml version="1.0" encoding="utf-8"?>' + ("\n" if self.indent else "") + self.write(el)


def dropped(switches, operation, children):
    """The reply's elements without the one the dropElement switch names."""
    drops = switches.get("dropElement") or {}
    position = drops.get(operation) if isinstance(drops, dict) else None
    if isinstance(position, int) and 0 <= position < len(children):
        return children[:position] + children[position + 1:]
    return children


def listed(switches, key, operation):
    value = switches.get(key)
    if isinstance(value, list):
        return operation in value or "*" in value
    return bool(value) and value in (True, operation, "*")


class Handler(BaseHTTPRequestHandler):
    server_version = "VQDStandIn/1.0"
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):  # quiet: the request log says enough
        pass

    def do_GET(self):
        self.answer(404, "text/plain", b"POST only")

    def do_POST(self):
        state = self.server.state
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        path = urllib.parse.urlsplit(self.path).path
        operation = path.rstrip("/").rsplit("/", 1)[-1]
        soap_action = self.headers.get("SOAPAction")
        record = {"path": path, "contentType": self.headers.get("Content-Type"),
                  "soapAction": soap_action, "bodyLength": len(body)}
        fields = {}
        if soap_action is not None:
            operation, fields = self.read_soap(body, soap_action)
        elif operation in FORM_OPERATIONS:
            text = body.decode("utf-8", errors="replace")
            record["body"] = text if len(text) < 4000 else text[:4000]
            fields = {k: v[0] for k, v in urllib.parse.parse_qs(text, keep_blank_values=True).items()}
        record["operation"] = operation
        record["fields"] = {k: (v if k != "data" else "<%d characters>" % len(v)) for k, v in fields.items()}
        state.log(record)

        started = time.monotonic()
        try:
            self.serve(state, operation, fields)
        finally:
            # The server's own time for the request, apart from the request
            # record above (no "operation" key, so it counts as no request).
            state.log({"finished": operation, "ms": round((time.monotonic() - started) * 1000.0, 3)})

    def serve(self, state, operation, fields):
        switches = state.switches()
        if listed(switches, "noAnswer", operation):
            # Holds the connection without a word until the client gives up.
            time.sleep(float(switches.get("noAnswerSeconds", 120)))
            self.close_connection = True
            return
        delays = switches.get("delayMs") or {}
        delay = delays.get(operation, delays.get("*", 0)) if isinstance(delays, dict) else 0
        if delay:
            time.sleep(delay / 1000.0)
        statuses = switches.get("status") or {}
        status = statuses.get(operation, statuses.get("*", 200)) if isinstance(statuses, dict) else 200
        if status != 200:
            self.answer(status, "text/plain", b"status from the switches")
            return
        if listed(switches, "malformed", operation):
            self.answer(200, "text/xml; charset=utf-8", b"<?xml version=\"1.0\"?><Reply><Broken></Reply")
            return
        try:
            reply = self.dispatch(operation, fields, switches)
        except LookupError as e:
            self.answer(500, "text/plain", str(e).encode("utf-8"))
            return
        if reply is None:
            self.answer(404, "text/plain", b"unknown operation")
            return
        self.answer(200, "text/xml; charset=utf-8", reply.encode("utf-8"))

    def answer(self, status, content_type, payload):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(payload)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(payload)
        self.close_connection = True

    def read_soap(self, body, soap_action):
        action = soap_action.strip('"')
        operation = action[len(SERVICE_NS):] if action.startswith(SERVICE_NS) else action
        fields = {}
        try:
            root = ElementTree.fromstring(body)
            for el in root.iter():
                name = el.tag.split("}")[-1]
                if name in ("DirId", "TplId", "data", "FileType", "URLBase", "HrefPrefix", "ContentType"):
                    fields[name] = el.text or ""
                if name in SOAP_OPERATIONS:
                    fields["element"] = name
                    fields["namespace"] = el.tag[1:].split("}")[0] if el.tag.startswith("{") else ""
        except ElementTree.ParseError as e:
            fields["parseError"] = str(e)
        return operation, fields

    # --- operations ---------------------------------------------------------

    def dispatch(self, operation, fields, switches):
        state = self.server.state
        style = Style(switches)
        if operation == "GetDirections":
            if switches.get("noDirections"):
                return style.document(El(style.name("Directions")))
            items = []
            for d in state.data.directions:
                attrs = [("Name", d["name"])]
                if not listed(switches, "missing", operation):
                    attrs.insert(0, ("id", "%d" % d["id"]))
                items.append(El("Direction", attrs=attrs))
            return style.document(El(style.name("Directions"), children=items))
        if operation == "GetTemplates":
            dir_id = fields.get("DirId", "")
            empty = switches.get("noTemplates") or []
            try:
                direction = state.data.find(int(dir_id))
            except ValueError:
                direction = None
            if direction is None:
                raise LookupError("unknown direction %r" % dir_id)
            items = []
            if dir_id not in empty and "*" not in empty:
                for t in direction["templates"]:
                    items.append(El("Template", attrs=[("id", t["id"]), ("Name", t["name"])]))
            return style.document(El(style.name("Templates"), children=items))
        if operation == "TranslateText":
            words = self.words(fields)
            return self.string_reply(style, translate_words(words, fields.get("Text", "")))
        if operation == "TranslateTextWithED":
            if switches.get("failED"):
                raise LookupError("dictionary refused")
            words = self.words(fields)
            return self.string_reply(style, self.dictionary_answer(words, fields.get("Text", "")))
        if operation in SOAP_OPERATIONS:
            return self.start_job(operation, fields, switches, style)
        if operation == "GetTranslateFileResult":
            return self.poll_job(fields, switches, style)
        if operation == "StopTanslating":
            job = state.jobs.get(fields.get("WorkId", ""))
            if job is None:
                raise LookupError("unknown job")
            job.stopped = True
            return self.string_reply(style, "stopped")
        return None

    def words(self, fields):
        words = self.server.state.data.words(fields.get("DirId", ""), fields.get("TplId", ""))
        if words is None:
            raise LookupError("unknown direction or template")
        return words

    def string_reply(self, style, text):
        return style.document(El(style.name("string"), text=text, attrs=[("xmlns", SERVICE_NS)]))

    def dictionary_answer(self, words, text):
        # The dictionary XML travels as the text of the reply; characters
        # beyond ASCII are written as decimal character references, which the
        # list decodes after parsing.
        word = text.strip()
        found = words.get(word.lower())
        if not found:
            return "%s" % word

        def refs(s):
            return "".join(c if ord(c) < 128 else "&amp;#%d;" % ord(c) for c in html.escape(s, quote=False))

        return ("<cforms><cform><source>%s</source><psp>%d</psp><translations>"
                "<translation><result>%s</result></translation></translations></cform></cforms>") % (
                    refs(word), NOUN, refs(found))

    def start_job(self, operation, fields, switches, style):
        state = self.server.state
        if "parseError" in fields:
            raise LookupError("envelope is not XML: " + fields["parseError"])
        words = self.words(fields)
        data = base64.b64decode(re.sub(r"[^A-Za-z0-9+/=]", "", fields.get("data", "")))
        if operation == "StartTranslateHtmlFile":
            page = decode_page(data, fields.get("ContentType"))
            result = translate_html(words, page).encode("utf-8")
        else:
            result = translate_file_bytes(words, data, fields.get("FileType"))
        with state.lock:
            work_id = "job+%d/%s=" % (state.next_job, os.getpid())
            state.next_job += 1
            duration = 0.0 if switches.get("readyAtStart") else float(switches.get("jobMs", 200)) / 1000.0
            state.jobs[work_id] = Job(result, duration)
        ready = "true" if switches.get("readyAtStart") else "false"
        svc = style.service
        inner = [] if listed(switches, "missing", operation) else dropped(switches, operation, [
            El(svc + style.name("WorkId"), text=work_id), El(svc + style.name("IsReady"), text=ready)])
        response_attrs = [("xmlns:q" if svc else "xmlns", SERVICE_NS)]
        response = El(svc + style.name(operation + "Response"), attrs=response_attrs,
                      children=[El(svc + style.name(operation + "Result"), children=inner)])
        soap = style.soap
        envelope = []
        if switches.get("soapHeader"):
            envelope.append(El(soap + ":Header", children=[El("Trace", text="stand-in")]))
        envelope.append(El(soap + ":Body", children=[response]))
        return style.document(El(soap + ":Envelope", children=envelope, attrs=[
            ("xmlns:" + soap, SOAP_NS), ("xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"),
            ("xmlns:xsd", "http://www.w3.org/2001/XMLSchema")]))

    def poll_job(self, fields, switches, style):
        state = self.server.state
        work_id = fields.get("WorkId", "")
        job = state.jobs.get(work_id)
        if job is None:
            raise LookupError("unknown job %r" % work_id)
        job.polls += 1
        elapsed = time.monotonic() - job.start
        done = job.duration <= 0 or elapsed >= job.duration
        progress = 100 if done else int(elapsed * 100 / job.duration)
        ready = "stopped" if job.stopped else ("true" if done else "false")
        data = base64.encodebytes(job.result).decode("ascii") if done and not job.stopped else ""
        operation = "GetTranslateFileResult"
        if listed(switches, "missing", operation):
            children = [El(style.name("WorkId"), text=work_id)]
        else:
            children = dropped(switches, operation, [
                El(style.name("WorkId"), text=work_id), El(style.name("IsReady"), text=ready),
                El(style.name("Progress"), text=str(progress)), El(style.name("Status"), text="0"),
                El(style.name("Message"), text=""), El(style.name("Result"), text=data)])
        return style.document(El(style.name("TranslateFileResult"), children=children))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--extra")
    parser.add_argument("--switches")
    parser.add_argument("--log")
    parser.add_argument("--ready")
    args = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.state = State(args)
    if args.ready:
        tmp = args.ready + ".tmp"
        with open(tmp, "w") as f:
            f.write("%d %d\n" % (os.getpid(), server.server_address[1]))
        os.replace(tmp, args.ready)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
