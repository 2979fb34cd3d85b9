"""Lighthouse's four scores of the page, as its default mobile run gives them (a mid-range phone
emulated, its network and processor slowed by simulation), with Debian's Chromium headless."""

import json
import os
import subprocess
import tempfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
LIGHTHOUSE = os.path.join(ROOT, "node_modules", ".bin", "lighthouse")
CATEGORIES = ["performance", "accessibility", "best-practices", "seo"]


def audit(address):
    """The four scores (0 to 100) by category, and for each category the titles of the audits
    that count towards it and did not pass (with their own scores)."""
    with tempfile.TemporaryDirectory(prefix="townwright-lighthouse-") as folder:
        report_path = os.path.join(folder, "report.json")
        subprocess.run(
            [LIGHTHOUSE, address, "--output=json", f"--output-path={report_path}", "--quiet",
             f"--only-categories={','.join(CATEGORIES)}",
             "--chrome-flags=--headless --no-sandbox --disable-gpu --no-first-run"],
            env={**os.environ, "CHROME_PATH": "/usr/bin/chromium"}, check=True,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        with open(report_path, encoding="utf-8") as file:
            report = json.load(file)
    scores = {}
    failed = {}
    for name in CATEGORIES:
        category = report["categories"][name]
        scores[name] = round(category["score"] * 100)
        failed[name] = []
        for reference in category["auditRefs"]:
            result = report["audits"][reference["id"]]
            if reference["weight"] > 0 and result["score"] is not None and result["score"] < 1:
                shown = f" {result['displayValue']}" if result.get("displayValue") else ""
                failed[name].append(f"{result['title']}{shown} (score {result['score']:.2f})")
    return scores, failed
