#!/usr/bin/env python3
"""Writes the test PDFs of tests/data/pdf, and the demo patients' saved PDFs of
tools/orca-sim/demo-pdf, with Chromium's headless print-to-PDF.

Chromium stores Japanese text as two-byte CID strings with Flate-compressed ToUnicode CMaps,
the form the eligibility-confirmation terminal's documents take, so these files exercise the
reader the way real documents do. The output is checked in; the build never runs this.

    apt-get install -y chromium fonts-ipafont-gothic qpdf
    tools/pdf-fixtures/make_fixtures.py [OUTPUT_DIR]        # the test PDFs
    tools/pdf-fixtures/make_fixtures.py demo [OUTPUT_DIR]   # the demo patients' PDFs
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "..", "tests", "data", "pdf"))
DEMO_OUT = os.path.normpath(os.path.join(HERE, "..", "orca-sim", "demo-pdf"))

# Synthesised bold would become one-byte Type 3 fonts; the terminal's documents use plain text.
STYLE = """
body { font-family: "IPAGothic"; font-size: 11pt; }
h1, h2, th { font-weight: normal; }
table { border-collapse: collapse; }
td, th { border: 1px solid #888; padding: 2px 6px; }
"""


def page(title, body):
    return (f'<!DOCTYPE html><html lang="ja"><head><meta charset="utf-8"><title>{title}</title>'
            f"<style>{STYLE}</style></head><body>{body}</body></html>")


def druginfo():
    return page("薬剤情報", """
<h1>薬剤情報提供書</h1>
<p>氏名　山田　太郎　様</p>
<p>この文書には受診歴と調剤の記録が載っています。</p>
<h2>受診歴</h2>
<table>
<tr><td>さくら内科医院</td><td>24年10月</td><td>24年9月</td></tr>
<tr><td>みどり薬局</td><td>2024年8月</td></tr>
<tr><td>東京中央病院</td><td>24年7月</td></tr>
</table>
<h2>診療・調剤の内容</h2>
<p>調剤年月日　2024/10/05　ロキソプロフェンナトリウム錠60mg　3錠</p>
""")


def checkup():
    return page("特定健診", """
<h1>特定健康診査　結果通知表</h1>
<p>受診者　山田　太郎</p>
<p>前回受診　2023-12-01</p>
<p>実施日　2024/05/10</p>
<p>発行　2024.06.20</p>
<table><tr><th>項目</th><th>結果</th></tr>
<tr><td>身長</td><td>170.2cm</td></tr><tr><td>体重</td><td>65.0kg</td></tr></table>
""")


def nodate():
    return page("お知らせ", """
<h1>お薬手帳についてのお知らせ</h1>
<p>受診の際はお薬手帳をお持ちください。日付の記載はありません。</p>
""")


def kanji_pool():
    # JIS level-1 kanji: all in IPAGothic, and enough of them to make the font subsets large.
    pool = []
    for row in range(0xB0, 0xD0):
        for cell in range(0xA1, 0xFF):
            try:
                pool.append(bytes([row, cell]).decode("euc_jp"))
            except UnicodeDecodeError:
                pass
    return pool


def multipage():
    rng = random.Random(7)
    pool = kanji_pool()
    institutions = ["さくら内科医院", "みどり薬局", "東京中央病院", "ひかり整形外科", "あおば調剤薬局"]
    parts = ["<h1>薬剤情報提供書</h1><p>氏名　山田　太郎　様</p><p>受診歴の一覧は次のとおりです。</p>",
             "<h2>受診歴</h2><table>"]
    for i, name in enumerate(institutions):
        parts.append(f"<tr><td>{name}</td><td>24年{10 - i}月</td></tr>")
    parts.append("</table><h2>診療・調剤の内容</h2>")
    for n in range(4000):
        words = "".join(rng.choice(pool) for _ in range(rng.randint(20, 60)))
        parts.append(f"<p>{n + 1}　{words}　{rng.randint(1, 9)}錠　{rng.randint(1, 30)}日分</p>")
    return page("薬剤情報（複数ページ）", "".join(parts))


FIXTURES = {
    "druginfo.pdf": druginfo,
    "checkup.pdf": checkup,
    "nodate.pdf": nodate,
    "multipage.pdf": multipage,
}


# The demo patients' saved documents (tools/orca-sim/demo-pdf). Names and institutions are those of
# orca-sim's demo data; the files are static, so their months are fixed around December 2026. The
# names carry the "_" + five-digit patient number + "X" key by which the program finds them.
def demo_druginfo(patient, birth, rows, drugs):
    table = "".join(f"<tr><td>{name}</td>" + "".join(f"<td>{m}</td>" for m in months) + "</tr>"
                    for name, months in rows)
    lines = "".join(f"<tr><td>{day}</td><td>{drug}</td><td>{qty}</td></tr>" for day, drug, qty in drugs)
    return page("薬剤情報", f"""
<h1>薬剤情報提供書</h1>
<p>氏名　{patient}　様　（生年月日　{birth}）</p>
<p>オンライン資格確認で照会した受診歴と薬剤情報です。</p>
<h2>受診歴</h2>
<table>{table}</table>
<h2>診療・調剤の内容</h2>
<table><tr><th>調剤日</th><th>薬剤名</th><th>数量</th></tr>{lines}</table>
""")


def demo_checkup(patient, dates, values):
    rows = "".join(f"<tr><td>{k}</td><td>{v}</td></tr>" for k, v in values)
    when = "".join(f"<p>{label}　{date}</p>" for label, date in dates)
    return page("特定健診", f"""
<h1>特定健康診査　結果通知表</h1>
<p>受診者　{patient}　様</p>
{when}
<table><tr><th>項目</th><th>結果</th></tr>{rows}</table>
""")


DEMO = {
    "YZK_1X.pdf": lambda: demo_druginfo(
        "山田　太郎", "1952-03-14",
        [("さくら坂内科クリニック", ["26年11月", "26年10月", "26年9月"]),
         ("みどり調剤薬局", ["26年11月"]),
         ("みなと中央病院", ["26年7月", "26年4月"]),
         ("見本台内科クリニック", ["26年10月"]),
         ("あさひ皮膚科", ["25年12月"])],
        [("2026/11/12", "アムロジピン錠５ｍｇ", "28錠"), ("2026/10/08", "メトホルミン塩酸塩錠２５０ｍｇ", "56錠")]),
    "YZK_2X.pdf": lambda: demo_druginfo(
        "佐藤　花子", "1961-07-02",
        [("あおば整形外科医院", ["26年11月", "26年8月"]),
         ("ひまわり薬局", ["26年9月"]),
         ("みなと中央病院", ["26年7月", "26年3月"])],
        [("2026/11/20", "ロキソプロフェンＮａ錠６０ｍｇ", "42錠")]),
    "YZK_3X.pdf": lambda: demo_druginfo(
        "鈴木　一郎", "1945-11-20",
        [("ひかり眼科", ["26年10月", "26年6月"]),
         ("こもれび歯科医院", ["26年5月"])],
        [("2026/10/15", "ヒアルロン酸Ｎａ点眼液０．１％", "2本")]),
    "TKK_1X.pdf": lambda: demo_checkup(
        "山田　太郎", [("前回受診", "2025-07-10"), ("実施日", "2026/07/15"), ("発行日", "2026.08.03")],
        [("身長", "164.4cm"), ("体重", "67.2kg"), ("HbA1c（NGSP）", "6.1%")]),
    "TKK_2X.pdf": lambda: demo_checkup(
        "佐藤　花子", [("実施日", "2026/06/18")],
        [("身長", "153.4cm"), ("体重", "58.2kg"), ("収縮期血圧", "132mmHg")]),
    # A notice without any date: the program takes the month of the file's last modification.
    "TKK_3X.pdf": lambda: demo_checkup(
        "鈴木　一郎", [("実施機関", "見本台内科クリニック")],
        [("身長", "161.4cm"), ("体重", "55.2kg")]),
}


def print_to_pdf(html_path, pdf_path):
    profile = tempfile.mkdtemp(prefix="chromium-profile-")
    try:
        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                        "--no-first-run", "--disable-background-networking", "--disable-component-update",
                        "--disable-sync", f"--user-data-dir={profile}", "--no-pdf-header-footer",
                        f"--print-to-pdf={pdf_path}", "file://" + html_path],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def write_all(documents, out):
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, build in documents.items():
            html = os.path.join(work, name.replace(".pdf", ".html"))
            with open(html, "w", encoding="utf-8") as f:
                f.write(build())
            print_to_pdf(html, os.path.join(out, name))
            print(f"{name}: {os.path.getsize(os.path.join(out, name))} bytes")


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "demo":
        write_all(DEMO, sys.argv[2] if len(sys.argv) > 2 else DEMO_OUT)
        return
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    write_all(FIXTURES, out)
    # The same drug-information document, encrypted: its streams no longer inflate.
    encrypted = os.path.join(out, "encrypted.pdf")
    subprocess.run(["qpdf", "--encrypt", "", "owner", "256", "--", os.path.join(out, "druginfo.pdf"), encrypted],
                   check=True)
    print(f"encrypted.pdf: {os.path.getsize(encrypted)} bytes")


if __name__ == "__main__":
    main()
